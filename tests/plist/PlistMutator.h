#pragma once
// Structure-aware mutations of property-list text for the randomized reader test: byte
// flips, cut and repeated ranges, swapped lines, truncation, and the reader's own tokens
// (tags, line ends, tabs) inserted at random places.
#include <QByteArray>
#include <QList>
#include <random>

namespace plisttest {

inline const QList<QByteArray>& readerTokens() {
  static const QList<QByteArray> tokens = {
      "<dict>",  "</dict>",  "<dict/>",   "<array>",  "</array>", "<array/>", "<key>",
      "</key>",  "<string>", "</string>", "<string/>", "<data>",  "</data>",  "<true/>",
      "<false/>", "<date>",  "</date>",   "<integer>", "</integer>", "<real>", ">",
      "<",       "</",       "/>",        "\r",       "\n",       "\r\n",     "\t",
      "T",       ":",        "Z",         "-",        "\x01",     "\xff",     "\xc3\xa9",
      "<dict>\n<dict>\n<dict>\n",         "<key>k</key>\n",       "2004-03-05T07",
  };
  return tokens;
}

inline QByteArray mutate(QByteArray data, std::mt19937& rng, int rounds) {
  auto pick = [&](int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int r = 0; r < rounds; ++r) {
    const int size = static_cast<int>(data.size());
    switch (pick(8)) {
      case 0:  // flip a byte
        if (size > 0) data[pick(size)] = static_cast<char>(rng());
        break;
      case 1: {  // cut a range
        const int at = pick(size + 1), len = pick(64);
        data.remove(at, len);
        break;
      }
      case 2: {  // repeat a range
        const int at = pick(size + 1), len = pick(256);
        data.insert(pick(size + 1), data.mid(at, len));
        break;
      }
      case 3:
      case 4:  // insert a token
        data.insert(pick(size + 1), readerTokens()[pick(readerTokens().size())]);
        break;
      case 5:  // truncate
        data.truncate(pick(size + 1));
        break;
      case 6: {  // swap two lines
        QList<QByteArray> lines = data.split('\n');
        if (lines.size() > 1) {
          std::swap(lines[pick(lines.size())], lines[pick(lines.size())]);
          data = lines.join('\n');
        }
        break;
      }
      default: {  // change a line end
        const int at = static_cast<int>(data.indexOf('\n', pick(size + 1)));
        if (at >= 0) data.replace(at, 1, pick(2) ? "\r" : "\r\n");
        break;
      }
    }
  }
  return data;
}

}  // namespace plisttest
