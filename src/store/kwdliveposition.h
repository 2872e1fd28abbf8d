#pragma once

// What a search record needs of the positioning: the live position, when there is one. The
// positioning registers itself for as long as it exists, so the store never reaches up for it.
class kwdLivePosition
{
public:
    virtual ~kwdLivePosition();

    // Longitude first; false (and nothing written) while there is no position.
    virtual bool position(double* lon, double* lat) const = 0;

    // The registered positioning, null while none exists.
    static const kwdLivePosition* current();

protected:
    kwdLivePosition();

private:
    kwdLivePosition(const kwdLivePosition&) = delete;
    kwdLivePosition& operator=(const kwdLivePosition&) = delete;
};
