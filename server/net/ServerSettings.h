#pragma once
// The server's settings file (UTF-8 INI), read into the options:
//   [Administrators] Ids=12,40  Owners=12  List147=40
//   [Announcements]  Interval=600 (seconds)  Text1=...  Text2=...
// Owners are administrators too. An unquoted value with commas is a list to QSettings:
// id lists are read as such, texts are joined back with ", ".

#include "GameServer.h"

#include <QString>

class ServerSettings final {
public:
    // False when the file cannot be read; options stay as they were then.
    static bool Read(const QString &path, ServerOptions &options);
};
