#pragma once

#include <QString>
#include <QWidget>

class QByteArray;
class QLabel;
class QPropertyAnimation;
class QPushButton;

// The notice panel: asks the statistics host once per run whether there is a notice and, when
// there is one with a link, slides up with "ok" and "View Detail". Owns its request identifier,
// its form and its slide.
class qvmnotice : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal pos READ slidePosition WRITE setSlidePosition)
public:
    explicit qvmnotice(QWidget* parent);

    // Reads "ishave" and "noticelink" of a notice document; false when it cannot be read.
    static bool readDocument(const QByteArray& body, QString* ishave, QString* link);

    // Starts the notice request unless one was started before in this run.
    void check();
    // Slides the panel up when there is a link.
    void popUp();

    qreal slidePosition() const { return position; }
    void setSlidePosition(qreal p);

    int requestId = 0;
    QString link;
    QLabel* label = nullptr;
    QPushButton* btnNoticeOK = nullptr;
    QPushButton* btnNoticeCtl = nullptr;
    QPropertyAnimation* slide = nullptr;

public Q_SLOTS:
    void onBtnClicked();
    void onBtnDetail();
    void onHttpResponse(int id, int err);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal position = 0;
};
