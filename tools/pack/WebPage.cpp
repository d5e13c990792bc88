// The game's web page. The page downloads the runner's code and the game's
// data with one loading bar, puts the data into the runner's file system,
// keeps a folder in the browser's storage (IndexedDB) for what the game
// writes, and starts the runner on the game. Whatever the runner writes to
// standard error shows in the page. Runner options can be given in the
// address (index.html?options=--steps%20100), and files served beside the
// page can be put into the game's folder first (&files=input.txt), which is
// how tests drive it;
// window.brindle holds what the game printed, how it ended and when it
// started and ended (milliseconds of the page's clock).
#include "tools/pack/WebPage.h"

#include "platform/Files.h"
#include "platform/GlyphRenderer.h"
#include "tools/pack/Manifest.h"

#include <cstdio>

namespace {

constexpr const char* kPage = R"PAGE(<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>@TITLE@</title>
<style>
html, body { margin: 0; height: 100%; overflow: hidden; background: @COLOR@; }
#canvas { display: block; position: absolute; left: 50%; top: 50%; transform: translate(-50%, -50%); outline: none; }
body.fill #canvas { left: 0; top: 0; transform: none; width: 100vw; height: 100vh; }
#loading { position: absolute; left: 25%; right: 25%; top: 50%; font: 14px sans-serif; color: #888; text-align: center; }
#track { height: 8px; margin-top: 6px; border: 1px solid #888; }
#bar { height: 100%; width: 0; background: #888; }
#errors { display: none; position: absolute; left: 0; right: 0; bottom: 0; max-height: 40%; overflow: auto; margin: 0;
          padding: 8px; background: rgba(120, 0, 0, 0.9); color: #fff; font: 13px monospace; white-space: pre-wrap; }
</style>
</head>
<body class="@BODYCLASS@">
<canvas id="canvas" tabindex="0" oncontextmenu="event.preventDefault()"></canvas>
<div id="loading"><div>Loading @TITLE@</div><div id="track"><div id="bar"></div></div></div>
<pre id="errors"></pre>
<script>
(function () {
  'use strict';
  var fillPage = @FILL@;
  var typeface = '@TYPEFACE@';
  var canvas = document.getElementById('canvas');
  var bar = document.getElementById('bar');
  var loading = document.getElementById('loading');
  var errors = document.getElementById('errors');
  var brindle = window.brindle = { out: [], err: [], exitStatus: null, saved: false };

  function showError(text) {
    errors.style.display = 'block';
    errors.textContent += text + '\n';
  }
  brindle.readFile = function (path) {
    var bytes = window.Module.FS.readFile(path), text = '';
    for (var k = 0; k < bytes.length; k += 0x8000)
      text += String.fromCharCode.apply(null, bytes.subarray(k, k + 0x8000));
    return btoa(text);
  };

  var address = new URLSearchParams(location.search);
  var options = (address.get('options') || '').split(' ').filter(function (w) { return w; });
  // Files served beside the page that go into the game's folder (/game)
  // before it starts, as an input script named in the options: plain names
  // only, so the address cannot reach beyond the page's own folder.
  var extraFiles = (address.get('files') || '').split(',').filter(function (name) { return name; });
  var badName = extraFiles.filter(function (name) { return !/^[A-Za-z0-9_.-]+$/.test(name) || /^[.]+$/.test(name); });

  // Both downloads move one bar.
  var expected = {}, received = {};
  function showProgress() {
    var want = 0, got = 0;
    for (var name in expected) { want += expected[name]; got += Math.min(received[name], expected[name] || received[name]); }
    bar.style.width = (want > 0 ? Math.min(100, 100 * got / want) : 0) + '%';
  }
  function download(name) {
    return fetch(name).then(function (response) {
      if (!response.ok)
        throw new Error(name + ': ' + response.status + ' ' + response.statusText);
      expected[name] = Number(response.headers.get('Content-Length')) || 0;
      received[name] = 0;
      if (!response.body || !response.body.getReader)
        return response.arrayBuffer();
      var reader = response.body.getReader(), parts = [];
      function next() {
        return reader.read().then(function (step) {
          if (step.done) {
            var all = new Uint8Array(received[name]), at = 0;
            parts.forEach(function (part) { all.set(part, at); at += part.length; });
            return all.buffer;
          }
          parts.push(step.value);
          received[name] += step.value.length;
          showProgress();
          return next();
        });
      }
      return next();
    });
  }

  // What the game writes lives in the browser's storage between visits.
  // A save asked for while one is under way follows it, with every caller
  // told when the last one is done.
  var saving = false, saveAgain = false, waiting = [];
  function save(then) {
    if (then) waiting.push(then);
    if (saving) { saveAgain = true; return; }
    saving = true;
    window.Module.FS.syncfs(false, function (error) {
      saving = false;
      if (error) showError('What the game wrote could not be kept in the browser: ' + error);
      if (saveAgain) { saveAgain = false; save(); return; }
      var done = waiting;
      waiting = [];
      done.forEach(function (f) { f(); });
    });
  }

  function start(gameData, typefaceData, extraData) {
    var FS = window.Module.FS;
    FS.mkdir('/persistent');
    FS.mount(FS.filesystems.IDBFS, {}, '/persistent');
    FS.syncfs(true, function (error) {
      if (error) showError('Earlier saves could not be read from the browser: ' + error);
      ['/persistent/data', '/persistent/work', '/game'].forEach(function (folder) {
        try { FS.mkdir(folder); } catch (exists) {}
      });
      FS.writeFile('/game/@GAMEFILE@', gameData);
      extraFiles.forEach(function (name, k) { FS.writeFile('/game/' + name, extraData[k]); });
      if (typefaceData) {
        try { FS.mkdir('/typefaces'); } catch (exists) {}
        FS.writeFile('@TYPEFACEPATH@', typefaceData);
      }
      FS.chdir('/persistent/work');
      loading.style.display = 'none';
      canvas.focus();
      setInterval(function () { if (brindle.exitStatus === null) save(); }, 2000);
      document.addEventListener('visibilitychange', function () { if (document.hidden) save(); });
      brindle.startTime = performance.now();
      window.Module.callMain(options.concat(['/game/@GAMEFILE@']));
    });
  }

  var downloads = [download('@CODE@'), download('@GAMEFILE@'), typeface ? download(typeface) : null];
  extraFiles.forEach(function (name) { downloads.push(download(name)); });
  (badName.length ? Promise.reject(new Error('files= takes plain file names, not ' + badName.join(', ')))
                  : Promise.all(downloads)).then(function (files) {
    window.Module = {
      canvas: canvas,
      fillPage: fillPage,
      wasmBinary: files[0],
      print: function (text) { brindle.out.push(text); console.log(text); },
      printErr: function (text) { brindle.err.push(text); console.warn(text); showError(text); },
      // The runner reads its environment while it starts up: the registry
      // and the other data folders go to the kept storage.
      preRun: [function () {
        window.Module.ENV.HOME = '/persistent';
        window.Module.ENV.XDG_DATA_HOME = '/persistent/data';
      }],
      onRuntimeInitialized: function () { start(new Uint8Array(files[1]), files[2] && new Uint8Array(files[2]),
                                             files.slice(3).map(function (data) { return new Uint8Array(data); })); },
      onExit: function (status) {
        brindle.endTime = performance.now();
        brindle.exitStatus = status;
        save(function () { brindle.saved = true; });
      },
      onAbort: function (what) {
        showError('The game stopped: ' + what);
        brindle.exitStatus = -1;
      }
    };
    var script = document.createElement('script');
    script.src = '@SCRIPT@';
    script.onerror = function () { showError('@SCRIPT@ could not be loaded.'); };
    document.body.appendChild(script);
  }).catch(function (error) {
    showError('The game could not be loaded: ' + error.message);
    brindle.exitStatus = -1;
  });
})();
</script>
</body>
</html>
)PAGE";

std::string EscapeHtml(const std::string& text)
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

void ReplaceAll(std::string& text, const std::string& mark, const std::string& with)
{
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + with.size()))
        text.replace(at, mark.size(), with);
}

void CopyFile(const std::string& from, const std::string& to, const std::string& what)
{
    std::vector<uint8_t> bytes;
    if (!Platform_ReadWholeFile(from, bytes))
        throw EProjectError(from + ": cannot read " + what);
    if (!Platform_WriteWholeFile(to, bytes.data(), bytes.size()))
        throw EProjectError(to + ": cannot write");
}

} // namespace

std::string WebPage_Html(const GameProject& project, bool withTypeface)
{
    const GameSettings& settings = project.Settings;
    const bool fill = settings.FullScreen || settings.Scaling <= 0;
    // The window colour is 0xBBGGRR.
    const uint32_t c = static_cast<uint32_t>(settings.WindowColor);
    char color[8];
    std::snprintf(color, sizeof color, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    std::string page = kPage;
    ReplaceAll(page, "@TITLE@", EscapeHtml(project.Name));
    ReplaceAll(page, "@COLOR@", color);
    ReplaceAll(page, "@BODYCLASS@", fill ? "fill" : "");
    ReplaceAll(page, "@FILL@", fill ? "true" : "false");
    ReplaceAll(page, "@GAMEFILE@", kWebGameFile);
    ReplaceAll(page, "@SCRIPT@", kWebRunnerScript);
    ReplaceAll(page, "@CODE@", kWebRunnerCode);
    ReplaceAll(page, "@TYPEFACE@", withTypeface ? kWebTypefaceFile : "");
    ReplaceAll(page, "@TYPEFACEPATH@", kPageTypefaceFile);
    return page;
}

void WebPage_WriteFolder(const GameProject& project, const std::vector<uint8_t>& gameBytes,
                         const std::string& runnerFolder, const std::string& folder)
{
    if (!Platform_CreateDirectories(folder))
        throw EProjectError(folder + ": cannot make the folder");
    const std::string runner = "the runner built for browsers (bash run.sh web builds it)";
    CopyFile(runnerFolder + "/" + kWebRunnerScript, folder + "/" + kWebRunnerScript, runner);
    CopyFile(runnerFolder + "/" + kWebRunnerCode, folder + "/" + kWebRunnerCode, runner);
    if (!Platform_WriteWholeFile(folder + "/" + kWebGameFile, gameBytes.data(), gameBytes.size()))
        throw EProjectError(folder + "/" + kWebGameFile + ": cannot write the game");
    // The face found for the default font's name, so that text drawn in it
    // looks as it does on this computer.
    CGlyphFace face;
    bool withTypeface = false;
    if (face.Open("Arial", 12, false, false, 1, true) && !face.FacePath().empty()) {
        CopyFile(face.FacePath(), folder + "/" + kWebTypefaceFile, "the typeface");
        withTypeface = true;
    }
    const std::string page = WebPage_Html(project, withTypeface);
    if (!Platform_WriteWholeFile(folder + "/index.html", page.data(), page.size()))
        throw EProjectError(folder + "/index.html: cannot write");
}
