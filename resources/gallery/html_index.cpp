#include "html_index.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace gallery {

namespace {

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

bool WriteIndex(const Context& context)
{
    std::ofstream html(context.outputDir + "index.html");
    html << "<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\"><title>VQXRES.DLL gallery</title>\n"
            "<style>body{font-family:sans-serif;background:#f4f4f4}figure{display:inline-block;vertical-align:top;"
            "margin:8px;padding:8px;background:#fff;border:1px solid #ccc;max-width:820px}"
            "figcaption{font-size:13px;margin-top:4px}</style></head><body>\n"
            "<h1>VQXRES.DLL gallery</h1>\n";
    // Sections in the order they first appear, each with all its shots:
    // the bitmaps are exported in pairs of two sections.
    std::vector<std::string> sections;
    for (const Shot& shot : context.shots)
        if (std::find(sections.begin(), sections.end(), shot.section) == sections.end())
            sections.push_back(shot.section);
    for (const std::string& section : sections) {
        html << "<h2>" << Escape(section) << "</h2>\n";
        for (const Shot& shot : context.shots)
            if (shot.section == section)
                html << "<figure><img src=\"" << Escape(shot.file) << "\" alt=\"" << Escape(shot.caption) << "\">"
                     << "<figcaption>" << Escape(shot.caption) << "</figcaption></figure>\n";
    }
    html << "</body></html>\n";
    return static_cast<bool>(html);
}

}  // namespace gallery
