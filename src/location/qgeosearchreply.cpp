#include "qgeosearchreply.h"

QGeoSearchReply::QGeoSearchReply() : error(0) {}
