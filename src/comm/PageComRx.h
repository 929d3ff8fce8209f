#pragma once
// Download page of the Upload/Download window.
#include "comm/PageComTx.h"

// Download: the whole setting data from the exchanges into the model.
class CPageComRx : public CPageComSelect {
public:
    using CPageComSelect::CPageComSelect;
};
