#pragma once

#include <QCoreApplication>
#include <QString>

// Opens addresses in the desktop's web browser, but only web addresses: an address that came from
// the service could otherwise name a local file or a scheme that starts a program.
class kwdWebLink
{
    Q_DECLARE_TR_FUNCTIONS(kwdWebLink)
public:
    // True for an absolute http or https address with a host.
    static bool isWebAddress(const QString& address);
    // Opens a web address; anything else is refused with a message. True when it was handed on.
    static bool open(const QString& address);
};
