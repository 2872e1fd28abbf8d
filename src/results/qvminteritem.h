#pragma once

#include "qvmlistitem.h"

// An agency ("co" record): its phone numbers, description, caption and the housing area it serves.
// Drawn as a list row, as a detail body and, inside a listing's detail, as the call-me band whose
// rectangle opens the contact panel. Owns its project item.
class qvmInterItem : public qvmListItem
{
public:
    explicit qvmInterItem(bool idOptional = false);
    ~qvmInterItem() override;

    using qvmListItem::read;
    bool read(const QDomElement& element) override;
    int type() const override;
    QStringList phoneNumbers() const override;
    QString shownText() const override;
    void assign(const qvmListItem* other) override;

    // The numbers of a "phone" text: split at everything but digits and "-".
    static QStringList splitPhones(const QString& text);
    // Height of the call-me band at the given width.
    int linkHeight(int width) const;

    qvmProjectItem* project = nullptr;
    QStringList phones;
    QString detail;
    QString caption;

protected:
    void paintList(QPainter* painter, const QRect& rect) override;
    int paintDetail(QPainter* painter, const QRect& rect) override;
    void paintLink(QPainter* painter, const QRect& rect) override;
    int listRowHeight(int width) override;

private:
    // The band's text and the call-me button's width at a band width.
    QString bandText() const;
    int buttonWidth(int width) const;
};
