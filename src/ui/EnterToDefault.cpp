#include "ui/EnterToDefault.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

EnterToDefault::EnterToDefault(QPushButton* defaultButton, QObject* parent)
    : QObject(parent), button_(defaultButton) {}

void EnterToDefault::Watch(QLineEdit* edit) { edit->installEventFilter(this); }

bool EnterToDefault::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button_->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
