#pragma once

#include <cstdlib>
#include <string>
#include <vector>

// Just enough reading of the SVG canvas's own output for tests to check a picture's
// structure: a named group's body, its texts, its polylines' points.
namespace chart_test {

inline int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

// The body of the first group with this name, nested groups included; empty when absent.
inline std::string Group(const std::string& doc, const std::string& name) {
  const std::string open = "<g data-name=\"" + name + "\">";
  const std::size_t start = doc.find(open);
  if (start == std::string::npos) return {};
  std::size_t pos = start + open.size();
  int depth = 1;
  while (depth > 0) {
    const std::size_t nextOpen = doc.find("<g ", pos);
    const std::size_t nextClose = doc.find("</g>", pos);
    if (nextClose == std::string::npos) return {};
    if (nextOpen != std::string::npos && nextOpen < nextClose) {
      ++depth;
      pos = nextOpen + 3;
    } else {
      --depth;
      pos = nextClose + 4;
    }
  }
  return doc.substr(start + open.size(), pos - 4 - start - open.size());
}

inline bool HasGroup(const std::string& doc, const std::string& name) {
  return doc.find("<g data-name=\"" + name + "\">") != std::string::npos;
}

inline std::vector<std::string> Texts(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t p = s.find("<text"); p != std::string::npos; p = s.find("<text", p + 1)) {
    const std::size_t b = s.find('>', p) + 1;
    out.push_back(s.substr(b, s.find("</text>", b) - b));
  }
  return out;
}

struct Xy {
  double X;
  double Y;
};

// The points of each polyline, in order.
inline std::vector<std::vector<Xy>> Polylines(const std::string& s) {
  std::vector<std::vector<Xy>> out;
  const std::string key = "<polyline points=\"";
  for (std::size_t p = s.find(key); p != std::string::npos; p = s.find(key, p + 1)) {
    std::vector<Xy> pts;
    const char* c = s.c_str() + p + key.size();
    while (*c != '"') {
      char* end = nullptr;
      const double x = std::strtod(c, &end);
      const double y = std::strtod(end + 1, &end);
      pts.push_back({x, y});
      c = end;
      if (*c == ' ') ++c;
    }
    out.push_back(pts);
  }
  return out;
}

inline int PointCount(const std::string& s) {
  int n = 0;
  for (const auto& l : Polylines(s)) n += static_cast<int>(l.size());
  return n;
}

// Every vertex of every filled path.
inline std::vector<Xy> PathPoints(const std::string& s) {
  std::vector<Xy> out;
  const std::string key = "<path d=\"";
  for (std::size_t p = s.find(key); p != std::string::npos; p = s.find(key, p + 1)) {
    const char* c = s.c_str() + p + key.size();
    while (*c != '"') {
      if (*c == 'M' || *c == 'L') {
        char* end = nullptr;
        const double x = std::strtod(c + 1, &end);
        const double y = std::strtod(end + 1, &end);
        out.push_back({x, y});
        c = end;
      } else {
        ++c;
      }
    }
  }
  return out;
}

}  // namespace chart_test
