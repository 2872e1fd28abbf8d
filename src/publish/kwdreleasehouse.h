#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class kwdListing;
class kwdLoadPhoto;
class qvmWidgetSegement;

// The listing form of the system menu: the inputs of a home for sale or lease, their checks, the
// listing post and the photo upload that follows it. Owns its widgets, the chosen photo's bytes
// and the identifiers of its pending requests; the requests themselves belong to the holder.
class kwdReleaseHouse : public QWidget
{
    Q_OBJECT
public:
    explicit kwdReleaseHouse(QWidget* parent = nullptr);

    // Also shows the stored name and telephone of the publisher now logged in.
    void setPublisher(const QString& uid, const QString& pwdDigest);
    // Refills the lists from the store; resetForm() empties the inputs.
    void fillForm();
    void resetForm();
    // The form's inputs as the record that is checked and posted.
    kwdListing listing() const;
    // Reads, decodes and encodes a picture file as the listing's photo; false (with a box) when it
    // cannot be read or decoded, and then no photo is kept.
    bool setPhotoFile(const QString& path);

    qvmWidgetSegement* segType = nullptr;
    QComboBox* cobdistrict = nullptr;
    QLineEdit* housesrc = nullptr;
    QLineEdit* lifearea = nullptr;
    QComboBox* housestyle = nullptr;
    QLineEdit* area = nullptr;
    QLineEdit* numberfloor = nullptr;
    QLineEdit* totlefloor = nullptr;
    QComboBox* cobaspect = nullptr;
    QLabel* personname = nullptr;
    QLabel* phonenumber = nullptr;
    QLineEdit* photo = nullptr;
    QPushButton* btnphoto = nullptr;
    QTextEdit* textEdit = nullptr;
    QLineEdit* road = nullptr;
    QLineEdit* door = nullptr;
    QLabel* labelprice = nullptr;
    QLineEdit* value = nullptr;
    QComboBox* price = nullptr;
    QLineEdit* room = nullptr;
    QLineEdit* hall = nullptr;
    QLineEdit* toilet = nullptr;
    QFrame* leaseframe = nullptr;
    QRadioButton* rBtnZheng = nullptr;
    QRadioButton* rBtnHe = nullptr;
    QRadioButton* rBtnZhuan = nullptr;
    QPushButton* btnrelease = nullptr;
    QPushButton* btnclear = nullptr;
    kwdLoadPhoto* loadPhoto = nullptr;

    QString uid;
    QString pwd;
    int releaseRequest = 0;
    int uploadRequest = 0;
    int districtRequest = 0;
    // The posted listing's code and body; kept while its photo is still to be uploaded.
    QString dealCode;
    QByteArray postedBody;
    QString photoPath;
    QByteArray photoBytes;

public Q_SLOTS:
    void onRelease();
    void onClear();
    void onHttpResponse(int id, int error);
    void onPhoto();
    void onPhotoLocal();
    void onDistrictPopup(int idx);
    void onCityInfoResponse(int id, int err);
    void onSegTypeChanged(int);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addLine(QGridLayout* grid, int row, const char* name, const QString& caption,
                       const QString& placeholder = QString());
    void fillUnits();
    void whiteInputs();
    QWidget* inputOf(int field) const;
    // What the listing and upload replies share: the button and the wait released, a failure said;
    // true with the body when there is one to read.
    bool takeReply(int id, int err, QString* body);
    void onListingReply(int id, int err);
    void onUploadReply(int id, int err);
    // Sends the photo for the posted listing of dealCode.
    void startUpload();
    void succeeded();
    bool isLease() const;

    QString districtCity;
    // The body of the listing request on its way, which becomes postedBody once accepted.
    QByteArray postingBody;
    // The photo chosen when the listing was posted; another one is said to go to that listing.
    QByteArray postedPhoto;
    bool photoForPosted = false;
    // The district list was asked for by a press of release: it opens when it comes.
    bool openDistricts = false;
};
