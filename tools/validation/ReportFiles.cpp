#include "ReportFiles.h"

#include "CalculatorOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace korvel::validation {

namespace {

std::string fixed(double v, int decimals = 2)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    std::string s = text;
    if (s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, s[0] == '-' ? 1 : 0); // no "-0.00"
    return s;
}

std::string signedFixed(double v)
{
    const std::string s = fixed(v);
    return s[0] == '-' || s.find_first_not_of("0.") == std::string::npos ? s : "+" + s;
}

std::string cell(const std::string &s)
{
    std::string out;
    for (char c : s)
        out += c == '|' ? std::string("\\|") : std::string(1, c);
    return out;
}

std::string xml(const std::string &s)
{
    std::string out;
    for (char c : s) {
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

std::vector<const DatasetComparison *> datasetsOf(const Report &r, const std::string &property)
{
    std::vector<const DatasetComparison *> out;
    for (const DatasetComparison &d : r.datasets)
        if (d.dataset.property == property)
            out.push_back(&d);
    return out;
}

std::vector<const MethodSummary *> methodsOf(const Report &r, const std::string &property)
{
    std::vector<const MethodSummary *> out;
    for (const MethodSummary &m : r.methods)
        if (m.property == property)
            out.push_back(&m);
    return out;
}

const char *kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b", "#e377c2", "#17becf"};

} // namespace

std::string reportCsv(const Report &report)
{
    using alloy::csvField;
    std::string out = "kind,property,dataset,method,datasets,points,missing_points,mean_abs_deviation,mean_deviation,largest_deviation,unit,note\n";
    for (const MethodSummary &m : report.methods)
        out += "method," + csvField(m.property) + ",," + csvField(m.method) + "," + std::to_string(m.datasets) + "," +
               std::to_string(m.deviations.points) + ",," + fixed(m.deviations.meanAbsolute) + "," + fixed(m.deviations.mean) + "," +
               fixed(m.deviations.largest) + "," + m.unit + ",\n";
    for (const DatasetComparison &d : report.datasets) {
        const std::string head = "dataset," + csvField(d.dataset.property) + "," + csvField(d.dataset.name) + ",";
        const std::string unit = deviationUnit(d.dataset.property);
        if (d.methods.empty())
            out += head + ",," + std::to_string(d.points) + "," + std::to_string(d.points) + ",,,," + unit + "," +
                   csvField("not computed: " + d.notComputed) + "\n";
        for (const MethodComparison &m : d.methods)
            out += head + csvField(m.method) + ",," + std::to_string(m.deviations.points) + "," + std::to_string(m.missing) + "," +
                   fixed(m.deviations.meanAbsolute) + "," + fixed(m.deviations.mean) + "," + fixed(m.deviations.largest) + "," + unit + ",\n";
    }
    return out;
}

std::string reportMarkdown(const Report &report)
{
    std::string out =
        "# Measured beside computed\n\n"
        "How far each computation of the program is from the measurements the database holds. Written by\n"
        "`korvel3-validate` (tools/validation; build target `korvel_generate_validation`) from the built\n"
        "database and the calculator's inputs in data/; the same numbers are in [validation.csv](validation.csv).\n"
        "Do not edit by hand: a test regenerates both and compares them with these files.\n\n"
        "Every measured dataset of the database (one per system, property and publication: the equations and\n"
        "points of a publication for an alloy, not a calculation of ours and not catalogue data; and every\n"
        "measured melting range of the DTA table, as its liquidus and its solidus) is put through the alloy\n"
        "calculator's engine (src/alloy, docs/alloy-calculator.md) at its compositions and temperatures, and\n"
        "every method the engine gives for that property is set beside it. A measured line is compared at " +
        std::to_string(kLineTemperatures) +
        "\n"
        "evenly spaced temperatures of the range its source states, both ends included; a measured point at its\n"
        "own temperature. Deviation: (computed − measured)/measured in % for the properties, computed − measured\n"
        "in K for the melting temperatures. **Mean** is the mean absolute deviation, **bias** the mean signed\n"
        "deviation, **largest** the deviation of the largest magnitude with its sign; **missing** counts the\n"
        "measured points a method gives no value for. Values at temperatures below the computed liquidus are\n"
        "compared as the calculator gives them (flagged there).\n";
    for (const PropertyInfo &p : reportProperties()) {
        std::string title = p.name;
        title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
        out += "\n## " + title + "\n\n";
        const auto datasets = datasetsOf(report, p.name);
        if (datasets.empty()) {
            out += "The database holds no measured " + std::string(p.name) + " of an alloy: nothing to compare.\n";
            continue;
        }
        const std::string unit = " (" + deviationUnit(p.name) + ")";
        const auto methods = methodsOf(report, p.name);
        if (!methods.empty()) {
            out += "| Method | Datasets | Points | Mean" + unit + " | Bias" + unit + " | Largest" + unit + " |\n|---|---:|---:|---:|---:|---:|\n";
            for (const MethodSummary *m : methods)
                out += "| " + cell(m->method) + " | " + std::to_string(m->datasets) + " | " + std::to_string(m->deviations.points) + " | " +
                       fixed(m->deviations.meanAbsolute) + " | " + signedFixed(m->deviations.mean) + " | " + signedFixed(m->deviations.largest) +
                       " |\n";
            out += "\n";
        }
        out += "| Dataset | Method | Points | Missing | Mean" + unit + " | Bias" + unit + " | Largest" + unit +
               " |\n|---|---|---:|---:|---:|---:|---:|\n";
        std::vector<const DatasetComparison *> notComputed;
        for (const DatasetComparison *d : datasets) {
            if (d->methods.empty())
                notComputed.push_back(d);
            for (const MethodComparison &m : d->methods)
                out += "| " + cell(d->dataset.name) + " | " + cell(m.method) + " | " + std::to_string(m.deviations.points) + " | " +
                       std::to_string(m.missing) + " | " + fixed(m.deviations.meanAbsolute) + " | " + signedFixed(m.deviations.mean) + " | " +
                       signedFixed(m.deviations.largest) + " |\n";
        }
        if (!notComputed.empty()) {
            out += "\nNot computed by any method:\n\n";
            for (const DatasetComparison *d : notComputed)
                out += "- " + d->dataset.name + " (" + std::to_string(d->points) + (d->points == 1 ? " point" : " points") + "): " +
                       d->notComputed + "\n";
        }
        if (!methods.empty())
            out += "\n![" + std::string(p.name) + ": computed against measured](validation/" + p.fileStem + ".svg)\n";
    }
    return out;
}

std::string reportPlot(const Report &report, const PropertyInfo &property)
{
    const auto methods = methodsOf(report, property.name);
    if (methods.empty())
        return {};
    double lo = INFINITY, hi = -INFINITY;
    for (const DatasetComparison *d : datasetsOf(report, property.name))
        for (const MethodComparison &m : d->methods)
            for (const Pair &p : m.pairs) {
                lo = std::min({lo, p.measured, p.computed});
                hi = std::max({hi, p.measured, p.computed});
            }
    // A square frame over the same range on both axes, ending at whole ticks.
    const double span = hi > lo ? hi - lo : std::max(1.0, std::fabs(hi) * 0.1);
    const double raw = span / 5, magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double step = magnitude * (raw / magnitude <= 1 ? 1 : raw / magnitude <= 2 ? 2 : raw / magnitude <= 5 ? 5 : 10);
    const double first = std::floor(lo / step) * step, last = std::max(first + step, std::ceil(hi / step) * step);
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    constexpr double kLeft = 70, kTop = 20, kSize = 360;
    auto px = [&](double v) { return kLeft + (v - first) / (last - first) * kSize; };
    auto py = [&](double v) { return kTop + kSize - (v - first) / (last - first) * kSize; };
    const std::string unit = property.unit;
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"460\" height=\"" + fixed(kTop + kSize + 60 + 16.0 * methods.size(), 0) +
                    "\" font-family=\"sans-serif\" font-size=\"11\">\n";
    s += "<rect x=\"" + fixed(kLeft, 0) + "\" y=\"" + fixed(kTop, 0) + "\" width=\"" + fixed(kSize, 0) + "\" height=\"" + fixed(kSize, 0) +
         "\" fill=\"none\" stroke=\"#000\"/>\n";
    const int ticks = static_cast<int>(std::lround((last - first) / step));
    for (int i = 0; i <= ticks; ++i) {
        const double t = first + step * i;
        const std::string label = fixed(t, decimals);
        s += "<line x1=\"" + fixed(px(t)) + "\" y1=\"" + fixed(kTop + kSize) + "\" x2=\"" + fixed(px(t)) + "\" y2=\"" + fixed(kTop + kSize + 4) +
             "\" stroke=\"#000\"/>\n";
        s += "<text x=\"" + fixed(px(t)) + "\" y=\"" + fixed(kTop + kSize + 16) + "\" text-anchor=\"middle\">" + label + "</text>\n";
        s += "<line x1=\"" + fixed(kLeft - 4) + "\" y1=\"" + fixed(py(t)) + "\" x2=\"" + fixed(kLeft) + "\" y2=\"" + fixed(py(t)) +
             "\" stroke=\"#000\"/>\n";
        s += "<text x=\"" + fixed(kLeft - 6) + "\" y=\"" + fixed(py(t) + 4) + "\" text-anchor=\"end\">" + label + "</text>\n";
    }
    s += "<line x1=\"" + fixed(px(first)) + "\" y1=\"" + fixed(py(first)) + "\" x2=\"" + fixed(px(last)) + "\" y2=\"" + fixed(py(last)) +
         "\" stroke=\"#888\" stroke-dasharray=\"4 3\"/>\n";
    s += "<text x=\"" + fixed(kLeft + kSize / 2) + "\" y=\"" + fixed(kTop + kSize + 34) + "\" text-anchor=\"middle\">measured " +
         xml(property.name) + " (" + xml(unit) + ")</text>\n";
    s += "<text transform=\"translate(16 " + fixed(kTop + kSize / 2) + ") rotate(-90)\" text-anchor=\"middle\">computed " + xml(property.name) +
         " (" + xml(unit) + ")</text>\n";
    std::map<std::string, const char *> colour;
    for (std::size_t i = 0; i < methods.size(); ++i)
        colour[methods[i]->method] = kColours[i % std::size(kColours)];
    for (const DatasetComparison *d : datasetsOf(report, property.name))
        for (const MethodComparison &m : d->methods)
            for (const Pair &p : m.pairs)
                s += "<circle cx=\"" + fixed(px(p.measured)) + "\" cy=\"" + fixed(py(p.computed)) + "\" r=\"3\" fill=\"none\" stroke=\"" +
                     colour[m.method] + "\"/>\n";
    for (std::size_t i = 0; i < methods.size(); ++i) {
        const double y = kTop + kSize + 52 + 16.0 * static_cast<double>(i);
        s += "<circle cx=\"" + fixed(kLeft + 6) + "\" cy=\"" + fixed(y - 4) + "\" r=\"3\" fill=\"none\" stroke=\"" + colour[methods[i]->method] +
             "\"/>\n";
        s += "<text x=\"" + fixed(kLeft + 16) + "\" y=\"" + fixed(y) + "\">" + xml(methods[i]->method) + "</text>\n";
    }
    s += "</svg>\n";
    return s;
}

void writeReport(const Report &report, const std::string &folder)
{
    namespace fs = std::filesystem;
    auto write = [](const fs::path &file, const std::string &text) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            throw std::runtime_error("cannot write " + file.string());
    };
    const fs::path plots = fs::path(folder) / "validation";
    std::error_code error;
    fs::create_directories(plots, error);
    if (error)
        throw std::runtime_error("cannot create " + plots.string() + ": " + error.message());
    for (const auto &entry : fs::directory_iterator(plots))
        if (entry.path().extension() == ".svg")
            fs::remove(entry.path());
    write(fs::path(folder) / "validation.md", reportMarkdown(report));
    write(fs::path(folder) / "validation.csv", reportCsv(report));
    for (const PropertyInfo &p : reportProperties())
        if (const std::string svg = reportPlot(report, p); !svg.empty())
            write(plots / (std::string(p.fileStem) + ".svg"), svg);
}

} // namespace korvel::validation
