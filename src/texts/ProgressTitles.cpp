#include "texts/ProgressTitles.h"

const char* ProgressTitle(char letter) {
    switch (letter) {
        case 'A': return "Global Setting";
        case 'B': return "Master Stations (Telephones)";
        case 'C': return "Substations";
        case 'D': return "C/O Trunks";
        case 'E': return "Group Call";
        case 'F': return "Call Forwarding/Time-Out";
        case 'G': return "Scan Monitor";
        case 'H': return "Paging";
        case 'I': return "Public Address Systems";
        case 'J': return "External Source Distribution";
        case 'K': return "Dialing Assignment";
        case 'L': return "Emergency Conference";
        case 'M': return "Direct Select";
        case 'N': return "Remote Dialing";
        case 'O': return "Log Data Request";
        case 'P': return "Communication Monitoring Request";
        case 'Q': return "Start Dwnload";
        case 'T': return "Direct Select Dial Request";
        case 'U': return "Transfer Setting";
        default: return nullptr;
    }
}
