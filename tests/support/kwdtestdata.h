#pragma once

#include <QByteArray>
#include <QColor>
#include <QGeoCoordinate>
#include <QSize>

// Data the tests make: a picture's file bytes, and a point at an exact distance.

// A picture of one colour, as the bytes of a file of that format ("PNG", "JPG").
QByteArray kwdImageBytes(const char* format, QColor colour = Qt::darkCyan, QSize size = QSize(300, 200));

// A point exactly `metres` (never a hair less) north of `from`, as the program measures it.
QGeoCoordinate kwdNorthOf(const QGeoCoordinate& from, double metres);
