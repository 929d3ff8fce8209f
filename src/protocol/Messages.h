#pragma once
// Every window and thread message of the program, by number. The numbers are
// fixed; in the Qt layer each is the type of a MessageEvent (all lie in Qt's
// user event range, 1000 to 65535).
enum UserMessage : int {
    UM_RELAY = 0x401,              // dialogs to the view, passed on unchanged to the link worker
    UM_PORT_OPENED = 0x464,        // link worker to view
    UM_PORT_CLOSED = 0x465,
    UM_SEND_DONE = 0x466,
    UM_RECEIVE_DATA = 0x467,
    UM_CHANNEL_RESET = 0x468,
    UM_COMM_ERROR = 0x46E,
    UM_WORKER_QUIT = 0x1401,       // frame to CTHLogSave and CTHPrintOut
    UM_LOG_READING = 0x1402,       // log data window to view
    UM_MONITOR_READING = 0x1403,   // communication monitor window to view
    UM_LOG_RECORD = 0x1410,        // view to CTHLogSave
    UM_MONITOR_RECORD = 0x1411,
    UM_TRANSFER_REQUEST = 0x1420,  // requester to view
    UM_TRANSFER_RESULT = 0x1421,   // view to requester
    UM_PRINT_REQUEST = 0x1500,     // to CTHPrintOut
    // The progress window messages, send routine and requesters to view.
    UM_PROGRESS_OPEN = 0x1700,
    UM_PROGRESS_RESET = 0x1701,    // retitle and reset
    UM_PROGRESS_RETITLE = 0x1702,
    UM_PROGRESS_STEP = 0x1703,
    UM_PROGRESS_END = 0x1704,
};

// UM_COMM_ERROR codes of the serial worker itself (the channel's own failures
// carry the channel number + 1 in the low byte instead: 0x8401, 0x8501).
inline constexpr int CommErrorOpenFailed = 0x8200;
inline constexpr int CommErrorReadFailed = 0x8500;
inline constexpr int CommErrorWriteFailed = 0x8580;  // a port error too: 0x85xx asks nothing of the view
