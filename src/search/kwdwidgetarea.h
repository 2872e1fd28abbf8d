#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QPushButton;
class kwdFinder;
class qvmNavButton;

// The area and category chooser, first page of the search stack: province and city selectors and
// the category and push buttons. Owns only its widgets; the choices go into the store's current
// search record and push record.
class kwdWidgetArea : public QWidget
{
    Q_OBJECT
public:
    explicit kwdWidgetArea(QWidget* parent = nullptr);

Q_SIGNALS:
    // false: the current search record is ready for a list; true: open the push condition form.
    void doSearch(bool search);

public Q_SLOTS:
    void onProvinceChanged(QString str);
    void onBtnSearchClicked();
    void onShowBtnNew();
    void onHideBtnNew();
    void onHttpResponse(int id, int err);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildForm();
    // The nearest ancestor with the slot onLookNewHouse() (the main window), or null.
    QObject* mainWindow() const;
    void connectMainWindow();
    // Writes province and city into a record; a new city drops the district and housing area.
    void writeArea(kwdFinder* record);

    bool mainWindowConnected = false;
    QFrame* frame1 = nullptr;
    QComboBox* cboProvince = nullptr;
    QComboBox* cboCity = nullptr;
    QWidget* widget_btns = nullptr;
    qvmNavButton* btnSale = nullptr;
    qvmNavButton* btnLease = nullptr;
    qvmNavButton* btnHA = nullptr;
    qvmNavButton* btnpushres = nullptr;
    QPushButton* btnNew = nullptr;
};
