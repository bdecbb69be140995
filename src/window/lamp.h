#pragma once

// One picture of the signal lamp. It paints its icon for the device pixel
// ratio it is painted at, as a button does, so that it is sharp at whatever
// scale the screen has now: a scale change needs no event of ours. Screen
// readers see a picture named by its accessible name.

#include <QIcon>
#include <QLabel>

class Lamp : public QLabel
{
    Q_OBJECT

public:
    Lamp(QIcon icon, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QIcon m_icon;
};
