#pragma once
#include <QString>

// Text functions with 1-based positions. Equality, InStr and ReplaceAll ignore letter case.
// A negative length or a position past the end gives the empty text, never a failure.
namespace fw {

inline const QString EndOfLine = QStringLiteral("\n");

QString Str(qint64 n);
double Val(const QString& s);  // the leading number of s, 0 if none, infinite beyond a double
int ValInt(const QString& s);  // Val made an Int32
int Len(const QString& s);
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
QString Mid(const QString& s, int start);
QString Mid(const QString& s, int start, int length);
int InStr(const QString& s, const QString& find);
int InStr(int start, const QString& s, const QString& find);
QString Uppercase(const QString& s);
QString ReplaceAll(const QString& s, const QString& find, const QString& with);
int CountFields(const QString& s, const QString& separator);
QString NthField(const QString& s, const QString& separator, int n);
QString Format(double n, const QString& pattern);
QString Chr(int code);
bool textEquals(const QString& a, const QString& b);

}  // namespace fw
