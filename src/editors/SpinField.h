#pragma once
// An edit field with spin buttons whose text is free: what the field takes is
// the editor's rule, not a validator's, so a value out of range can stand in
// the field (and fail validation) as the user typed it. The buttons and the
// Up/Down keys ask the owner for the next value.
#include <QAbstractSpinBox>
#include <QLineEdit>
#include <functional>

class SpinField : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinField(QWidget* parent, int maxLength);

    QLineEdit* Edit() const { return lineEdit(); }
    QString Text() const { return lineEdit()->text(); }
    void SetText(const QString& text) { lineEdit()->setText(text); }
    // Typing the text and leaving the field, as the user does.
    void Enter(const QString& text);

    // A click up (+1) or down (-1); the owner stores and shows the new value.
    std::function<void(int step)> Step;
    // The field was left or Enter pressed in it: the owner takes the text.
    std::function<void(const QString& text)> Finished;

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};
