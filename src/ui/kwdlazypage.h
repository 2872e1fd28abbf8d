#pragma once

#include <QWidget>

#include <functional>

class QShowEvent;

// A main window page that builds its content the first time it is shown (or asked for), so that
// start-up pays only for the page the user sees. Owns the factory until it has run, then the content.
class kwdLazyPage : public QWidget
{
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    explicit kwdLazyPage(Factory factory, QWidget* parent = nullptr);

    // The page's content, built now if it was not yet.
    QWidget* content();
    // The content when it exists, else null; never builds it.
    QWidget* builtContent() const { return page; }

Q_SIGNALS:
    void built(QWidget* content);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Factory factory;
    QWidget* page = nullptr;
};
