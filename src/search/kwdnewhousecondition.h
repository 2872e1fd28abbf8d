#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class kwdFinder;
class qvmWidgetSegement;

// The subscription form of the new-listing push (page 3 of the search page): edits the store's push
// record (not owned), fetches the city's districts when it has none, validates the input and turns
// the subscription on or off, then asks the main window to check again. Owns its widgets and the
// identifier of its district request.
class kwdNewHouseCondition : public QWidget
{
    Q_OBJECT
public:
    explicit kwdNewHouseCondition(QWidget* parent = nullptr);

    // Query code of a "coxtype" position (field 10, as the list query sends it); empty for 0.
    static QString propertyCode(int index);
    // Position of a stored code in "coxtype"; 0 when it is not one of ours.
    static int propertyIndex(const QString& code);
    // Stored text of a range: "low-high", "low-" or empty for 0 and 0.
    static QString rangeText(int low, int high);

    int requestId = 0;
    qvmWidgetSegement* widSegement = nullptr;
    QComboBox* coxtype = nullptr;
    QLabel* lblprice = nullptr;
    QLineEdit* pricestart = nullptr;
    QLineEdit* priceend = nullptr;
    QLabel* priceunit = nullptr;
    QLineEdit* areastart = nullptr;
    QLineEdit* areaend = nullptr;
    QComboBox* coxroomtype = nullptr;
    QComboBox* coxresoure = nullptr;
    QComboBox* coxdis = nullptr;
    QLineEdit* editSearch = nullptr;
    QComboBox* coxtime = nullptr;
    QPushButton* btnok1 = nullptr;
    QPushButton* btncancel = nullptr;

Q_SIGNALS:
    void back();

public Q_SLOTS:
    void fill();
    void refresh();
    void onValueChanged(int i);
    void onBtnOk();
    void onBtnCancel();
    void onDistrictPopup(int i);
    void onHttpResponse(int id, int err);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildForm();
    void fillDistricts(const QString& first);
    void selectDistrict();
    void requestDistricts();
    void showPrices();
    void markInvalid(QLineEdit* edit);
    void resetMarks();
    // Asks the main window to check the subscription again, then leaves the form.
    void finish();
    kwdFinder* record() const;

    // City whose districts were asked for, so the reply is filed under that city.
    QString districtCity;
};
