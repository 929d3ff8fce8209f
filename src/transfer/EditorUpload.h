#pragma once
// The texts an editor's Upload sends, encoded from the model after the
// commit: the global setting is text A to every exchange; the station editor
// sends the page shown: masters as the B texts of every exchange in use then
// the U texts of the exchange selected (every one with "ALL"), substations as
// the C texts of the exchange selected (every one with "ALL"), in the order of
// the whole-configuration upload.
#include <vector>

#include "texts/SettingTextEncode.h"
#include "model/SettingData.h"

struct EditorUploadStep {
    char Letter = 0;
    int Exchange = 0;  // 0: addressed to every exchange
    int Index = 0;     // master or substation
};

std::vector<EditorUploadStep> SystemUploadSteps();
// One text of the letter (D, F, M) to each exchange in use, in order.
std::vector<EditorUploadStep> ExchangeUploadSteps(const SettingData& model, char letter);
// page: 0 masters, 1 substations; selection: 1..16, or 0 for "ALL".
std::vector<EditorUploadStep> StationUploadSteps(const SettingData& model, int page, int selection);

// The steps encoded from data; a step without a text (outside the model's
// ranges) is left out.
std::vector<EncodedText> EncodeUploadSteps(const SettingData& data, const std::vector<EditorUploadStep>& steps);

// A member-list editor (letter E, G or L): the four masters of every exchange
// in use, as the whole upload orders them; every list it validated and
// committed goes out.
std::vector<EditorUploadStep> MemberUploadSteps(const SettingData& model, char letter);
// The paging sheet's page shown (0 substations H, 1 PA outputs I, 2 control
// inputs J): zones 1..19 of the exchange chosen, or of every one in use with
// "ALL" (selection 0), exchange by exchange.
std::vector<EditorUploadStep> PagingUploadSteps(const SettingData& model, int page, int selection);
