#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class kwdChooseHA;
class kwdFinder;
class qvmWidgetSegement;

// The condition form: edits one search record (not owned: the store's current record or one handed
// in by the page that shows the form), validates the input, looks housing areas up by name and
// fetches a city's districts on demand. Owns its widgets, the housing-area chooser and the
// identifiers of its two pending requests.
class ConditionView : public QWidget
{
    Q_OBJECT
public:
    explicit ConditionView(QWidget* parent = nullptr);

    // Loads a record into the form; null means the store's current search record.
    void setCondition(kwdFinder* record);
    kwdFinder* record() const { return finder; }
    kwdChooseHA* chooser() const { return chooseHA; }
    int districtRequestId() const { return districtRequest; }
    int lookupRequestId() const { return lookupRequest; }
    // The entries of a housing-area lookup reply as the chooser lists them: the text shown
    // ("name (district address)") and the value "name(id)". Records without id or name are left out.
    // readable tells whether the body was a housing-area result list at all.
    static QList<QPair<QString, QString>> readLookup(const QByteArray& body, bool* readable = nullptr);

Q_SIGNALS:
    void doSearch();

public Q_SLOTS:
    void on_btnSearch_clicked();
    void onAreaTypeChange(int v);
    void onChkPlacerange(bool checked);
    void onDistrictPopup(int index);
    void onHASelected(QString name, QString id);
    void onHttpResponse(int id, int err);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildForm();
    void fillDistricts();
    void startLookup(const QString& name);
    void showWaitAt(QWidget* anchor);
    void hideWait();
    void handleDistricts(int id, int err);
    void handleLookup(int id, int err);
    int priceField() const;

    kwdFinder* finder = nullptr;
    int category = -1;
    int districtRequest = 0;
    int lookupRequest = 0;
    // City whose districts were asked for, so the reply is filed under that city.
    QString districtCity;
    kwdChooseHA* chooseHA = nullptr;

    QFrame* frame_Area = nullptr;
    QWidget* wg_AreaType = nullptr;
    QWidget* wg_District = nullptr;
    QWidget* wg_Place = nullptr;
    qvmWidgetSegement* segAreaType = nullptr;
    QComboBox* cboDistrict = nullptr;
    QLineEdit* editPlaceName = nullptr;
    QCheckBox* chkOnlyPlace = nullptr;
    QLabel* lblPlaceRange = nullptr;
    qvmWidgetSegement* segPlaceRange = nullptr;
    QComboBox* cboHouseType = nullptr;
    QLabel* lblPrice = nullptr;
    QLineEdit* editprice1 = nullptr;
    QLineEdit* editprice2 = nullptr;
    QLabel* lblPriceUnit = nullptr;
    QLineEdit* editarea1 = nullptr;
    QLineEdit* editarea2 = nullptr;
    QComboBox* cboRoomType = nullptr;
    QCheckBox* chkShareRent = nullptr;
    QComboBox* cboFloor = nullptr;
    QComboBox* cboOrigin = nullptr;
    QLineEdit* editSearch = nullptr;
    QComboBox* cboSort = nullptr;
    QPushButton* btnSearch = nullptr;
};
