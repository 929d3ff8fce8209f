#include "editors/SpinField.h"

#include <QFontMetrics>

SpinField::SpinField(QWidget* parent, int maxLength) : QAbstractSpinBox(parent) {
    if (maxLength > 0) lineEdit()->setMaxLength(maxLength);
    setAccelerated(false);
    // Room for the widest text the field takes beside its buttons.
    setFixedWidth(fontMetrics().horizontalAdvance(QString(maxLength > 0 ? maxLength + 1 : 4, '0')) + 40);
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (Finished) Finished(Text());
    });
}

void SpinField::Enter(const QString& text) {
    SetText(text);
    emit editingFinished();
}

void SpinField::stepBy(int steps) {
    if (Step) Step(steps);
    lineEdit()->selectAll();
}
