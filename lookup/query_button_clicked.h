#pragma once

namespace lookup {

inline constexpr const char* kUserPagePrefix = "http://user.qzone.qq.com/";
inline constexpr const char* kStatisticsPrefix = "http://g.qzone.qq.com/fcg-bin/cgi_emotion_list.fcg?uin=";

// The handler of a click on the query button: checks the typed number, points
// the zone link and the browser box at the zone, fetches its statistics and
// writes the six values into their labels, or says what went wrong.
void QueryButtonClicked();

}  // namespace lookup
