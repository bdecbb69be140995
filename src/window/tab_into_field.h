#pragma once

// A text field reached by Tab selects its text, and Qt 6.4 reports that
// selection before the focus: Orca then moves along silently and never says
// which field was reached. Installed on a field, this filter lets the field
// take the focus plainly and selects its text once the focus is reported.

#include <QObject>

class TabIntoField : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
