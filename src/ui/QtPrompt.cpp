#include "ui/QtPrompt.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QStyle>

#include "core/FileDialogFilter.h"
#include "ui/Text8.h"

namespace {
QMessageBox::Icon BoxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information: return QMessageBox::Information;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::Exclamation:
        case PromptIcon::Warning: return QMessageBox::Warning;
        case PromptIcon::Error: return QMessageBox::Critical;
        case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The window in front that may own a box: the modal one, else the active one,
// passing over windows that can close while the box runs.
QWidget* PromptParent() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) w = QApplication::activeWindow();
    while (w && w->property(kNoPromptParent).toBool()) w = w->parentWidget() ? w->parentWidget()->window() : nullptr;
    return w;
}
}  // namespace

PromptAnswer QtPrompt::Message(std::string_view text, std::string_view title, PromptIcon icon,
                               PromptButtons buttons) {
    return Show(text, {}, title, icon, buttons);
}

void QtPrompt::TellDetail(std::string_view text, std::string_view detail, PromptIcon icon) {
    Show(text, detail, {}, icon, PromptButtons::Ok);
}

PromptAnswer QtPrompt::Show(std::string_view text, std::string_view detail, std::string_view title, PromptIcon icon,
                            PromptButtons buttons) {
    QMessageBox box(BoxIcon(icon), title.empty() ? QString(kApplicationTitle) : FromText8(title), FromText8(text),
                    QMessageBox::NoButton, PromptParent());
    // Shown under the message, not folded away: it is what the user can act on.
    if (!detail.empty()) box.setInformativeText(QString::fromLocal8Bit(detail.data(), static_cast<qsizetype>(detail.size())));
    switch (buttons) {
        case PromptButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case PromptButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case PromptButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            break;
        case PromptButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::No);
            break;
    }
    // The window manager cuts a title wider than the box. The box is made as
    // wide as the title in the title bar's font (bold, as many window managers
    // draw it) and the title bar's icon and buttons beside it.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) +
                           4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
    switch (box.exec()) {
        case QMessageBox::Ok: return PromptAnswer::Ok;
        case QMessageBox::Yes: return PromptAnswer::Yes;
        case QMessageBox::No: return PromptAnswer::No;
        default: break;
    }
    // Escape or the window's close button: the safe answer of each shape.
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (buttons == PromptButtons::YesNo) return PromptAnswer::No;
    return PromptAnswer::Cancel;
}

bool QtPrompt::ChooseFile(FileDialogKind kind, std::string_view filter, std::string& path) {
    QFileDialog dialog(PromptParent(), QString(), QString(),
                       QString::fromStdString(QtFileFilter(filter)));
    if (kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // A typed name of a file that does not exist is refused by the dialog.
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = LocalPath(dialog.selectedFiles().front());
    return true;
}

bool QtPrompt::ChooseFolder(std::string_view title, std::string& path) {
    const QString chosen = QFileDialog::getExistingDirectory(PromptParent(), FromText8(title),
                                                             path.empty() ? QString() : QFile::decodeName(path.c_str()));
    if (chosen.isEmpty()) return false;
    path = LocalPath(chosen);
    return true;
}
