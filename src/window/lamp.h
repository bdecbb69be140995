#pragma once

// A lamp of the signal: a picture to screen readers, painted from its icon at
// the scale of whatever it is painted on.

#include <QIcon>
#include <QLabel>

class Lamp final : public QLabel
{
    Q_OBJECT

public:
    Lamp(QIcon icon, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QIcon m_icon;
};
