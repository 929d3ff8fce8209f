#pragma once
// Rules of the Paging sheet (CSheetPaging with CPagePaging, CPageSpeak and
// CPageOutIn). Its working copy is the paging data of all 16 exchanges: the
// zone digits, the paging time-out, and the zone flags of the substations, the
// PA outputs and the control input channels. Station numbers, names and call
// priorities are read from the model.
#include <string>

#include "editors/EditorRules.h"
#include "editors/FunctionRules.h"
#include "model/SettingData.h"

inline constexpr const char* kPagingTitle = "Paging";
inline constexpr const char* kPagingSubsTitle = "Substations";
inline constexpr const char* kPagingSpeakTitle = "Public Address Systems";
inline constexpr const char* kPagingOutInTitle = "External Source Distribution";
inline constexpr const char* kZoneDigitsLabel = "Zone Digits(1 or %d digits):";
inline constexpr const char* kPagingTimeOutBox = "Paging Time-Out";
inline constexpr const char* kPagingTimeLabel = "Time Limit(%d-%d s)";
inline constexpr const char* kPagingTimeText = "Incorrect paging time-out";
inline constexpr const char* kZoneOnText = "v";
inline constexpr const char* kZoneOffText = "-";
inline constexpr const char* kZoneExcludedText = "x";

inline constexpr int kPagingZones = 19;
// The paging time-out keeps the conversation time's range and steps.
inline constexpr int kPagingTimeMin = kTalkTimeMin;
inline constexpr int kPagingTimeMax = kTalkTimeMax;
inline constexpr int kPagingTimeStep = kTalkTimeStep;
inline constexpr int kPagingSelectAll = 0;

enum PagingPage : int { kPagingPageSubs = 0, kPagingPageSpeak = 1, kPagingPageOutIn = 2 };
enum PagingCheck : int { kPagingTimeOut = 1 };

struct PagingCopy {
    uint8_t ZoneSize[kMaxExchanges] = {};
    uint32_t PagingTimeLimit[kMaxExchanges] = {};
    uint32_t SubPaging[kMaxExchanges][kSubsPerExchange] = {};
    uint32_t SpeakerPaging[kMaxExchanges][kSpeakersPerExchange] = {};
    uint32_t OutInZone[kMaxExchanges][kExternalInputs] = {};
    bool operator==(const PagingCopy&) const = default;
};

PagingCopy LoadPagingCopy(const SettingData& model);

// Rows of one exchange on a page, and the columns before its zone columns
// (the hidden number, the exchange, the line, and on the substation page the
// station and its name).
int PagingRowsPerExchange(int page);
int PagingLeadingColumns(int page);
// The exchanges a selection shows: the one chosen, or 1..SwitchCnt for ALL.
struct ExchangeSpan {
    int First = 1;
    int Last = 1;
};
ExchangeSpan PagingSpan(const SettingData& model, int selection);

// Zones offered on a page: 9 or 19 on the substation page by the zone digits
// (of exchange 1 under ALL), 19 on the others.
int PagingZoneColumns(const PagingCopy& copy, int page, int selection);
// A zone digit count (1 or 2) set for the exchange chosen, or every exchange
// in use. Flags of zones beyond it are kept.
void SetZoneDigits(PagingCopy& copy, const SettingData& model, int selection, int digits);

// The time-out box and field, for the exchange chosen or every exchange in use.
// Checked with a time of 0 starts from 10; cleared makes it 0.
void SetPagingTimeOut(PagingCopy& copy, const SettingData& model, int selection, bool on);
// A typed time: 10..990 is stored; false keeps the stored value.
bool EditPagingTime(PagingCopy& copy, const SettingData& model, int selection, std::string_view text);
// The exchange whose zone digits and time the fields show.
int PagingShownExchange(int selection);

// What a cell of a data row (0-based, under the selection) shows.
std::string PagingCellText(const PagingCopy& copy, const SettingData& model, int page, int selection, int row,
                           int column);
// Starting to edit a zone cell toggles its flag; false when the cell is no
// zone or the substation takes no paging (no number, emergency priority).
bool TogglePagingZone(PagingCopy& copy, const SettingData& model, int page, int selection, int row, int column);

// Exchange, Page (always the substation page) and Field tell where to focus.
ValidationResult ValidatePaging(const PagingCopy& copy, const SettingData& model);
bool PagingCopyDiffers(const PagingCopy& copy, const SettingData& model);
// All three pages of the copy written into data (a model, or a print job's).
void ApplyPaging(const PagingCopy& copy, SettingData& data);
bool CommitPaging(PagingCopy& copy, SettingData& model);
ValidationResult OverwritePaging(PagingCopy& copy, SettingData& model);
