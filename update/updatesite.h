#pragma once
#include <QString>

// The maker's web site: scheme and host, from the build setting ZORVIK_SITE
// ("https://www.zorvik.example" -> updateURL "https://www.zorvik.example/updates/zorvik.xml").
QString updateURL();
QString productPageURL();

// Tests point the site at a server of their own ("http://127.0.0.1:40123"); empty restores the
// build setting.
void setMakerSite(const QString& site);
