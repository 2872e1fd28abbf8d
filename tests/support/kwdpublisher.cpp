#include "kwdpublisher.h"

#include "kwdreleasehouse.h"
#include "kwdreleaseload.h"
#include "qvmsystem.h"
#include "qvmwidgetsegement.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

kwdReleaseLoad* kwdPublisher::sendLogin(qvmSystem* menu, const QString& user, const QString& password)
{
    menu->onRelease();
    kwdReleaseLoad* page = menu->loginPage;
    if (!page || !page->isVisible())
        return nullptr;
    // A failed login clears the password, so every attempt types it again.
    page->editUser->setText(user);
    page->editPassword->setText(password);
    page->onok();
    return page;
}

bool kwdPublisher::logIn(qvmSystem* menu)
{
    return sendLogin(menu) &&
           QTest::qWaitFor([menu] { return menu->releaseForm && menu->releaseForm->isVisible(); }, 10000);
}

bool kwdPublisher::fillListing(kwdReleaseHouse* form, bool lease)
{
    form->segType->setValue(lease ? 1 : 0);
    if (form->cobdistrict->count() < 2) {
        form->onDistrictPopup(0);
        if (!QTest::qWaitFor([form] { return form->districtRequest == 0; }, 10000))
            return false;
    }
    if (form->cobdistrict->count() < 2)
        return false;
    form->cobdistrict->setCurrentIndex(1);
    form->cobaspect->setCurrentIndex(1);
    const QList<QPair<QLineEdit*, QString>> texts = {
        {form->housesrc, QStringLiteral("阳光花园南北通透")},
        {form->lifearea, QStringLiteral("阳光花园")},
        {form->area, QStringLiteral("89.5")},
        {form->numberfloor, QStringLiteral("6")},
        {form->totlefloor, QStringLiteral("18")},
        {form->road, QStringLiteral("建国路")},
        {form->door, QStringLiteral("88号")},
        {form->value, lease ? QStringLiteral("3500") : QStringLiteral("260")},
        {form->room, QStringLiteral("3")},
        {form->hall, QStringLiteral("1")},
        {form->toilet, QStringLiteral("1")}};
    for (const auto& [edit, text] : texts)
        edit->setText(text);
    form->rBtnHe->setChecked(true);
    return true;
}
