// The HTML report: one self-contained page, its pictures in the folder beside it.
#include "selftest/markup_text.h"
#include "selftest/reports.h"

#include <cstdio>

namespace zyvodiag {
namespace {

// Readable on a 1280-pixel screen, a 390-pixel phone and paper; no font, script or sheet from
// anywhere else, so the folder works from a file:// URL on a machine with no network.
const char* const kStyle = R"(
:root { --pass: #1a7f37; --fail: #cf222e; --notrun: #6e7781; --line: #d0d7de; }
* { box-sizing: border-box; }
body { margin: 0; font: 15px/1.45 system-ui, -apple-system, "Segoe UI", sans-serif;
       color: #1f2328; background: #f6f8fa; }
header { position: sticky; top: 0; z-index: 1; background: #fff; border-bottom: 1px solid var(--line);
         padding: 12px 20px; }
h1 { font-size: 20px; margin: 0 0 6px; }
.counts { display: flex; flex-wrap: wrap; gap: 8px; margin-bottom: 8px; }
.badge { display: inline-block; padding: 2px 10px; border-radius: 12px; color: #fff; font-weight: 600;
         -webkit-print-color-adjust: exact; print-color-adjust: exact; }
.badge.pass { background: var(--pass); } .badge.fail { background: var(--fail); }
.badge.notrun { background: var(--notrun); }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 2px 12px; margin: 0; font-size: 13px; }
dl.facts dt { color: #57606a; } dl.facts dd { margin: 0; overflow-wrap: anywhere; }
main { max-width: 1240px; margin: 0 auto; padding: 16px 20px; }
section.test { background: #fff; border: 1px solid var(--line); border-left: 6px solid var(--notrun);
               border-radius: 6px; padding: 12px 16px; margin-bottom: 14px; break-inside: avoid; }
section.test.pass { border-left-color: var(--pass); } section.test.fail { border-left-color: var(--fail); }
h2 { font-size: 16px; margin: 0 0 4px; display: flex; gap: 10px; align-items: baseline; flex-wrap: wrap; }
.meta { color: #57606a; font-size: 13px; margin: 0 0 8px; }
.cause { margin: 6px 0; padding: 6px 10px; background: #fff1f0; border-radius: 4px; overflow-wrap: anywhere; }
.likely { margin: 0 0 8px; font-size: 13px; overflow-wrap: anywhere; }
.simulator { margin: 6px 0; font-size: 13px; color: #57606a; }
pre { background: #f6f8fa; border: 1px solid var(--line); border-radius: 4px; padding: 8px; margin: 6px 0;
      font: 12px/1.4 ui-monospace, "DejaVu Sans Mono", monospace; white-space: pre-wrap; overflow-wrap: anywhere; }
.pictures { display: grid; grid-template-columns: repeat(3, minmax(0, 240px)); gap: 10px; margin: 8px 0; }
figure { margin: 0; } figure img { width: 100%; height: auto; border: 1px solid var(--line); display: block; }
figcaption { font-size: 12px; color: #57606a; }
.identical { aspect-ratio: 16 / 9; display: flex; align-items: center; justify-content: center;
             border: 1px solid var(--line); color: var(--pass); font-weight: 600; }
.legend { display: flex; align-items: center; gap: 8px; font-size: 12px; color: #57606a; flex-wrap: wrap; }
.scale { width: 160px; height: 10px; border: 1px solid var(--line);
         background: linear-gradient(to right, #0000ff, #00ffff, #00ff00, #ffff00, #ff0000);
         -webkit-print-color-adjust: exact; print-color-adjust: exact; }
details summary { cursor: pointer; color: #0969da; font-size: 13px; }
@media (max-width: 600px) {
  header { position: static; padding: 10px 12px; } main { padding: 10px 12px; }
  dl.facts { grid-template-columns: 1fr; } dl.facts dt { margin-top: 4px; }
  .pictures { grid-template-columns: repeat(3, minmax(0, 1fr)); gap: 6px; }
}
@media print {
  body { background: #fff; font-size: 11pt; } header { position: static; }
  section.test { border-color: #999; } a { color: inherit; text-decoration: none; }
  details > pre { display: none; }
}
)";

// Marks on the page whether every picture loaded, for a browser that checks the report.
const char* const kLoadCheck = R"(<script>
window.addEventListener("load", function () {
  var images = document.images, loaded = 0;
  for (var i = 0; i < images.length; i++) {
    if (images[i].complete && images[i].naturalWidth > 0) { loaded++; }
  }
  document.body.setAttribute("data-images", images.length);
  document.body.setAttribute("data-images-loaded", loaded);
});
</script>
)";

std::string seconds(double milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", milliseconds / 1000);
    return text;
}

const char* verdictClass(Verdict verdict) {
    return verdict == Verdict::kPass ? "pass" : verdict == Verdict::kFail ? "fail" : "notrun";
}

std::string fact(const std::string& name, const std::string& value) {
    return "<dt>" + markupText(name) + "</dt><dd>" + markupText(value) + "</dd>";
}

std::string summary(const SelfTestReport& report) {
    std::string html = "<header>\n<h1>zyvodiag self-test</h1>\n<div class=\"counts\">";
    html += "<span class=\"badge pass\">" + std::to_string(report.count(Verdict::kPass)) +
            " passed</span><span class=\"badge fail\">" +
            std::to_string(report.count(Verdict::kFail)) +
            " failed</span><span class=\"badge notrun\">" +
            std::to_string(report.count(Verdict::kNotRun)) + " not run</span><span>of " +
            std::to_string(report.tests.size()) + " tests" +
            (report.repeat > 1 ? ", each run " + std::to_string(report.repeat) + " times" : "") +
            "</span></div>\n<dl class=\"facts\">";
    html += fact("Card", report.card);
    html += fact("Bench", (report.benchPath.empty() ? "built-in default" : report.benchPath) +
                              " (SHA-256 " + report.benchSha256.substr(0, 16) + "…)");
    html += fact("Started", report.started + (report.host.empty() ? "" : " on " + report.host));
    html +=
        fact("Duration", seconds(report.milliseconds) + "; the diagnostics demanded " +
                             seconds(report.demandedWaitMilliseconds) + " of waits" +
                             (report.simulatedClock ? ", which ran on the simulator's clock" : ""));
    html += fact("Versions",
                 "zyvodiag " + report.toolVersion + ", libzyvodiags " + report.libraryVersion);
    return html + "</dl>\n</header>\n";
}

std::string figure(const std::string& full, const std::string& thumbnail,
                   const std::string& caption) {
    if (full.empty()) {
        return "";
    }
    return "<figure><a href=\"" + markupText(full) + "\"><img src=\"" + markupText(thumbnail) +
           "\" alt=\"" + markupText(caption) + "\" loading=\"lazy\"></a><figcaption>" +
           markupText(caption) + "</figcaption></figure>";
}

// One picture stands for a captured frame whose bytes equal the expected frame's.
bool identical(const FramePictures& frame) {
    return !frame.expected.empty() && frame.expected == frame.captured;
}

// In the difference's place: a picture of nothing marked would only look like a fault missed.
std::string sameBytes(const std::string& title) {
    return "<figure><div class=\"identical\">identical</div><figcaption>" + markupText(title) +
           ": captured equals expected, byte for byte</figcaption></figure>";
}

std::string pictures(const TestOutcome& run) {
    std::string html;
    bool difference = false;
    for (const FramePictures& frame : run.pictures) {
        html +=
            "<div class=\"pictures\">" +
            figure(frame.expected, frame.expectedThumbnail, frame.title + ": expected") +
            figure(frame.captured, frame.capturedThumbnail,
                   frame.title + (frame.expected.empty() ? "" : ": captured")) +
            (identical(frame) ? sameBytes(frame.title)
                              : figure(frame.difference, frame.differenceThumbnail,
                                       frame.title + ": difference")) +
            figure(frame.waveform, frame.waveformThumbnail, frame.title + ": waveform") +
            figure(frame.vectorscope, frame.vectorscopeThumbnail, frame.title + ": vectorscope") +
            "</div>\n";
        if (!frame.likelyCause.empty()) {
            html += "<p class=\"likely\"><strong>Likely cause:</strong> " +
                    markupText(frame.likelyCause) + "</p>\n";
        }
        difference = difference || !frame.difference.empty();
    }
    if (difference) {
        html += "<div class=\"legend\"><span>Difference: grey where equal;</span><span>blue = "
                "one code</span><span class=\"scale\"></span><span>red = full scale</span></div>\n";
    }
    return html;
}

std::string section(const TestRecord& test, const SelfTestReport& report) {
    const Verdict verdict = test.verdict();
    const TestOutcome* shown = test.shown();
    std::string html =
        "<section class=\"test " + std::string(verdictClass(verdict)) + "\" id=\"test-" +
        std::to_string(test.number) + "\">\n<h2><span class=\"badge " + verdictClass(verdict) +
        "\">" + verdictText(verdict) + "</span><span>" + std::to_string(test.number) + ". " +
        markupText(test.name) + "</span></h2>\n<p class=\"meta\">" + markupText(test.group);
    if (shown != nullptr && verdict != Verdict::kNotRun) {
        html += " · " + seconds(shown->milliseconds) + " · waits demanded " +
                seconds(shown->demandedWaitMilliseconds);
    }
    if (report.repeat > 1) {
        html += " · passed " + std::to_string(test.passedRuns()) + " of " +
                std::to_string(test.ranRuns()) + " runs, slowest " +
                seconds(test.slowestMilliseconds()) + ", median " +
                seconds(test.medianMilliseconds());
    }
    html += "</p>\n";
    if (shown == nullptr) {
        return html + "</section>\n";
    }
    if (!shown->rootCause.empty()) {
        html += "<p class=\"cause\"><strong>" +
                std::string(verdict == Verdict::kNotRun ? "Why" : "Root cause") + ":</strong> " +
                markupText(shown->rootCause) + "</p>\n";
    }
    if (!shown->simulatorOnly.empty()) {
        html += "<p class=\"simulator\">Checked inside the simulator: " +
                markupText(shown->simulatorOnly) + "</p>\n";
    }
    if (!shown->commands.empty()) {
        std::string commands;
        for (const std::string& command : shown->commands) {
            commands += "$ " + command + "\n";
        }
        html += "<details" + std::string(verdict == Verdict::kFail ? " open" : "") +
                "><summary>Commands to reproduce</summary><pre>" + markupText(commands) + "</pre>" +
                (report.framesKept || shown->frames.empty()
                     ? ""
                     : "<p class=\"simulator\">The frame files these commands name were removed; "
                       "run the self-test with --keep DIR to keep them.</p>") +
                "</details>\n";
    }
    html += pictures(*shown);
    if (!shown->log.empty()) {
        html +=
            "<details><summary>Log</summary><pre>" + markupText(shown->log) + "</pre></details>\n";
    }
    return html + "</section>\n";
}

} // namespace

std::string reportHtml(const SelfTestReport& report) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>zyvodiag self-test: " +
                       std::to_string(report.count(Verdict::kPass)) + " passed, " +
                       std::to_string(report.count(Verdict::kFail)) + " failed</title>\n<style>" +
                       kStyle + "</style>\n</head>\n<body>\n";
    html += summary(report) + "<main>\n";
    for (const TestRecord& test : report.tests) {
        html += section(test, report);
    }
    return html + "</main>\n" + kLoadCheck + "</body>\n</html>\n";
}

} // namespace zyvodiag
