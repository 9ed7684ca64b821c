#include "PlayerState.h"

#include <charconv>
#include <map>

namespace qvsim {

namespace {

constexpr std::string_view kFirstLine = "qv-player-state 1";

const char* transportName(Transport t) {
  return t == Transport::Playing ? "playing" : t == Transport::Paused ? "paused" : "stopped";
}

const char* repeatName(Repeat r) {
  return r == Repeat::All ? "all" : r == Repeat::One ? "one" : "off";
}

template <typename Int>
bool parseInt(std::string_view text, Int& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

bool parseBool(std::string_view text, bool& out) {
  if (text != "0" && text != "1") return false;
  out = text == "1";
  return true;
}

}  // namespace

std::string serializeState(const PlayerState& s) {
  std::string out(kFirstLine);
  auto line = [&out](std::string_view key, const std::string& value) {
    out += '\n';
    out += key;
    out += '=';
    out += value;
  };
  line("transport", transportName(s.transport));
  line("playlist", s.playlistId);
  line("position", std::to_string(s.position));
  line("track", s.trackId);
  line("started", std::to_string(s.startedAtMs));
  line("elapsed", std::to_string(s.elapsedMs));
  line("shuffle", s.shuffle ? "1" : "0");
  line("seed", std::to_string(s.shuffleSeed));
  line("start", std::to_string(s.shuffleStart));
  line("repeat", repeatName(s.repeat));
  line("volume", std::to_string(s.volume));
  line("muted", s.muted ? "1" : "0");
  line("art", s.artTrackId);
  out += '\n';
  return out;
}

std::optional<PlayerState> parseState(std::string_view text) {
  if (text.substr(0, kFirstLine.size() + 1) != std::string(kFirstLine) + '\n') return std::nullopt;
  std::map<std::string_view, std::string_view> values;
  size_t pos = kFirstLine.size() + 1;
  while (pos < text.size()) {
    const size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::string_view line = text.substr(pos, end - pos);
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    values[line.substr(0, eq)] = line.substr(eq + 1);
    pos = end + 1;
  }
  if (values.size() != 13) return std::nullopt;

  PlayerState s;
  const std::string_view transport = values["transport"], repeat = values["repeat"];
  if (transport == "playing") s.transport = Transport::Playing;
  else if (transport == "paused") s.transport = Transport::Paused;
  else if (transport != "stopped") return std::nullopt;
  if (repeat == "all") s.repeat = Repeat::All;
  else if (repeat == "one") s.repeat = Repeat::One;
  else if (repeat != "off") return std::nullopt;
  s.playlistId = values["playlist"];
  s.trackId = values["track"];
  s.artTrackId = values["art"];
  const bool numbersOk = parseInt(values["position"], s.position) &&
                         parseInt(values["started"], s.startedAtMs) &&
                         parseInt(values["elapsed"], s.elapsedMs) &&
                         parseBool(values["shuffle"], s.shuffle) &&
                         parseInt(values["seed"], s.shuffleSeed) &&
                         parseInt(values["start"], s.shuffleStart) &&
                         parseInt(values["volume"], s.volume) && parseBool(values["muted"], s.muted);
  if (!numbersOk || s.volume < 0 || s.volume > 100 || s.volume % 10 != 0) return std::nullopt;
  return s;
}

}  // namespace qvsim
