#pragma once

// A text field reached by Tab selects its text in its focus-in event, and
// QWidget::setFocus reports the focus to screen readers only after that
// event: Orca hears of the selection first, moves along silently and never
// says which field was reached (test_orca). This filter lets a field take the
// focus plainly and selects its text once the focus is reported.

#include <QObject>

#include <initializer_list>

class QWidget;

class TabIntoField : public QObject
{
    Q_OBJECT

public:
    // Watches the line edits and editable combo boxes; the parent owns the
    // filter.
    TabIntoField(std::initializer_list<QWidget *> fields, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
