#include "update/updatesite.h"

namespace {
QString& siteOverride() {
    static QString site;
    return site;
}

QString site() { return siteOverride().isEmpty() ? QStringLiteral(ZORVIK_SITE) : siteOverride(); }
}  // namespace

QString updateURL() { return site() + QStringLiteral("/updates/zorvik.xml"); }

QString productPageURL() { return site() + QStringLiteral("/zorvik/"); }

void setMakerSite(const QString& site) { siteOverride() = site; }
