#pragma once

#include <QString>

class kwdReleaseHouse;
class kwdReleaseLoad;
class qvmSystem;

// A publisher's steps on the system menu, as a user takes them against the local service.
namespace kwdPublisher {
// Opens the login page and sends the name and password; the login page, null when it did not open.
kwdReleaseLoad* sendLogin(qvmSystem* menu, const QString& user = QStringLiteral("demo"),
                          const QString& password = QStringLiteral("demo123"));
// Logs in as the service's sample publisher and waits for the listing form.
bool logIn(qvmSystem* menu);
// Fills the form with a valid listing, fetching the district list when the form has none.
bool fillListing(kwdReleaseHouse* form, bool lease = false);
} // namespace kwdPublisher
