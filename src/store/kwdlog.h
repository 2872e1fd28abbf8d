#pragma once

#include <QLoggingCategory>

// The program's logging categories. Diagnostics (the device identifier, start-up timings, the
// receiver's comings and goings) are debug messages, quiet unless switched on, for example with
// QT_LOGGING_RULES="kwd.*.debug=true"; warnings stay on.
Q_DECLARE_LOGGING_CATEGORY(kwdNetLog)
Q_DECLARE_LOGGING_CATEGORY(kwdLocationLog)
Q_DECLARE_LOGGING_CATEGORY(kwdStartupLog)
Q_DECLARE_LOGGING_CATEGORY(kwdStoreLog)
