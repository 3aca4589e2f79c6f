#pragma once

#include <QString>

// The number texts the bench writes on its meters and result labels.
class MeterText
{
public:
    // Tenths of a whole number n >= 0: n div 10, a comma, n mod 10. The
    // comma is a literal character whatever the regional separator is:
    // 0 gives "0,0", 7 gives "0,7", 100 gives "10,0".
    static QString FormatTenths(int n);
    // The balance reading of a slider position p: the tenths of p, or for a
    // negative p a minus and a blank before the tenths of -p ("- 0,7").
    static QString balance(int p);
    // Hundredths of q: q div 100, a comma, q mod 100 ("0,71" for 71).
    static QString hundredths(int q);
    // A meter text read back as a number with the regional separator. The
    // bench itself writes tenths with a literal comma, so under a point
    // separator a comma text it wrote is accepted too.
    static long double readBack(const QString& text);
};
