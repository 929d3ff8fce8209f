#include "editors/EditorTransfer.h"

namespace {
class NoLink final : public EditorTransfer {
public:
    bool Send(QObject*, std::string_view, std::vector<EncodedText>) override { return false; }
    bool Cancelled() const override { return false; }
    void Release() override {}
    void EndProgress(bool) override {}
};

NoLink g_noLink;
EditorTransfer* g_transfer = &g_noLink;
}  // namespace

EditorTransfer& AppEditorTransfer() { return *g_transfer; }
void SetEditorTransfer(EditorTransfer* transfer) { g_transfer = transfer ? transfer : &g_noLink; }
