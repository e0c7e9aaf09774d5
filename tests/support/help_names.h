#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// What a platform's help pages name of its window: keys and menu entries, read from the
// generated pages so that each window's tests check the text its users get.
namespace help_names {

struct Page {
  std::string Name;  // "Keyboard.htm"
  std::string Text;
};

// Every .htm page of a help folder, sorted by name.
inline std::vector<Page> ReadPages(const std::filesystem::path& dir) {
  std::vector<Page> pages;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".htm") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    pages.push_back({entry.path().filename().string(),
                     {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
  }
  std::sort(pages.begin(), pages.end(),
            [](const Page& a, const Page& b) { return a.Name < b.Name; });
  return pages;
}

inline std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
       it != std::sregex_iterator(); ++it) {
    found.insert(it->str());
  }
  return found;
}

// Chords with Ctrl: "Ctrl+O", "Ctrl+Shift+A".
inline std::set<std::string> CtrlChords(const std::string& text) {
  return Matches(text, std::regex(R"(\bCtrl\+(Shift\+)?[A-Z]\b)"));
}
// Function keys, with Alt where the page says so: "F1", "Alt+F4".
inline std::set<std::string> FunctionKeys(const std::string& text) {
  return Matches(text, std::regex(R"((Alt\+)?\bF[0-9]+\b)"));
}
// Alt with a letter, the mnemonics: "Alt+E".
inline std::set<std::string> AltLetters(const std::string& text) {
  return Matches(text, std::regex(R"(\bAlt\+[A-Z]\b)"));
}

// The keys an edit keeps for itself (copy, paste, cut, select all, undo); the help names them
// to say that no command takes them.
inline bool IsEditKey(std::string_view chord) {
  return chord == "Ctrl+C" || chord == "Ctrl+V" || chord == "Ctrl+X" || chord == "Ctrl+A" ||
         chord == "Ctrl+Z";
}

// The text between tags with the entities the pages use for menu texts written as characters.
inline std::string Plain(std::string html) {
  html = std::regex_replace(html, std::regex("<[^>]*>"), "");
  for (const auto& [entity, character] :
       {std::pair<std::string_view, std::string_view>{"&hellip;", "\u2026"},
        {"&gt;", ">"},
        {"&lt;", "<"},
        {"&amp;", "&"}}) {
    for (auto at = html.find(entity); at != std::string::npos; at = html.find(entity, at))
      html.replace(at, entity.size(), character);
  }
  return html;
}

// One row of the menu bar's table on the menus page: menu, entry, shortcut (empty for none).
struct MenuRow {
  std::string Menu;
  std::string Entry;
  std::string Shortcut;
};

// The rows of the table headed Menu | Entry | Shortcut | Effect.
inline std::vector<MenuRow> MenuTable(const std::string& page) {
  std::vector<MenuRow> rows;
  const auto start = page.find("<tr><th>Menu</th><th>Entry</th><th>Shortcut</th>");
  if (start == std::string::npos) return rows;
  const std::string table = page.substr(start, page.find("</table>", start) - start);
  static const std::regex row(R"(<tr><td>([^<]*)</td><td>([^<]*)</td><td>(.*?)</td>)");
  for (auto it = std::sregex_iterator(table.begin(), table.end(), row);
       it != std::sregex_iterator(); ++it) {
    rows.push_back({Plain((*it)[1]), Plain((*it)[2]), Plain((*it)[3])});
  }
  return rows;
}

// Whether the pages name text anywhere (after their markup is taken away).
inline bool Names(const std::vector<Page>& pages, const std::string& text) {
  for (const Page& p : pages)
    if (Plain(p.Text).find(text) != std::string::npos) return true;
  return false;
}

}  // namespace help_names
