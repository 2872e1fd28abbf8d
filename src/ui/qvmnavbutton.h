#pragma once

#include <QPushButton>

// The large self-painting menu button: an icon square at the left, the text, an arrow at the right.
// navType selects the icon (theme image 16 + navType) and the background (type 5 is flat).
class qvmNavButton : public QPushButton
{
    Q_OBJECT
public:
    explicit qvmNavButton(QWidget* parent = nullptr);

    int navType = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
