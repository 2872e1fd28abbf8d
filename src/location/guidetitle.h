#pragma once

#include "titlebar.h"

// The plain title bar of the price guide: a back button and a left-aligned title on a light band.
// Owns only the back button; the right-hand button and the favourite toggle are destroyed.
class GuideTitle : public TitleBar
{
    Q_OBJECT
public:
    explicit GuideTitle(QWidget* parent = nullptr);

    void setTitle(const QString& title, const QString& backText = QString(),
                  const QString& rightText = QString()) override;
    void setButtons(int flags, bool checked) override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
