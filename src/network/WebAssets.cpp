#include "WebAssets.h"

#include <QFile>

namespace {

struct Entry
{
    const char* path;
    const char* resource;
    const char* contentType;
};

constexpr Entry Assets[] = {
    {"/", ":/web/players.html", "text/html; charset=utf-8"},
    {"/tv", ":/web/tv.html", "text/html; charset=utf-8"},
    {"/remote", ":/web/remote.html", "text/html; charset=utf-8"},
    {"/clock.css", ":/web/clock.css", "text/css; charset=utf-8"},
    {"/live.js", ":/web/live.js", "text/javascript; charset=utf-8"},
    {"/players.js", ":/web/players.js", "text/javascript; charset=utf-8"},
    {"/tv.js", ":/web/tv.js", "text/javascript; charset=utf-8"},
    {"/remote.js", ":/web/remote.js", "text/javascript; charset=utf-8"},
};

} // namespace

WebAssets::Asset WebAssets::find(const QString& path)
{
    for (const Entry& entry : Assets) {
        if (path == QLatin1String(entry.path)) {
            QFile file(QString::fromLatin1(entry.resource));
            if (!file.open(QIODevice::ReadOnly)) {
                return {};
            }
            return {file.readAll(), QByteArray(entry.contentType), true};
        }
    }
    return {};
}
