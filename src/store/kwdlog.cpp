#include "kwdlog.h"

Q_LOGGING_CATEGORY(kwdNetLog, "kwd.net", QtInfoMsg)
Q_LOGGING_CATEGORY(kwdLocationLog, "kwd.location", QtInfoMsg)
Q_LOGGING_CATEGORY(kwdStartupLog, "kwd.startup", QtInfoMsg)
Q_LOGGING_CATEGORY(kwdStoreLog, "kwd.store", QtInfoMsg)
