#pragma once
// In the program's dialogs Enter inside an edit field moves the focus to the
// dialog's default button instead of pressing it; a second Enter presses it.
#include <QObject>

class QLineEdit;
class QPushButton;

class EnterToDefault : public QObject {
    Q_OBJECT
public:
    EnterToDefault(QPushButton* defaultButton, QObject* parent);
    void Watch(QLineEdit* edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* button_;
};
