#pragma once

// A text field reached by Tab selects its text, and Qt 6.4 reports that
// selection before the focus: Orca then moves along silently and never says
// which field was reached. This filter lets a field take the focus plainly
// and selects its text once the focus is reported.

#include <QObject>

#include <initializer_list>

class QLineEdit;

class TabIntoField : public QObject
{
    Q_OBJECT

public:
    // Watches the fields; the parent owns the filter.
    TabIntoField(std::initializer_list<QLineEdit *> fields, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
