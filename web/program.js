// The script of every program page, run before the program's own: paces it through
// drawkit's hooks (frame_web.cpp), shows the stage and its caption, and
// turns clicks and taps on the picture into answers. A test may set
// window.drawkitTest before the page loads: {frameMs, hash, started(),
// frame(n, hash), waiting(k, hash) -> answer at once, end(status)}.
(function () {
  'use strict';
  const page = window.programPage;
  const test = window.drawkitTest || {};
  const canvas = document.getElementById('canvas');
  const status = document.getElementById('status');
  const caption = document.getElementById('caption');
  const n = page.captions.length;
  let ended = false;

  function show(k, drawing) {
    status.textContent = 'Stage ' + k + ' of ' + n + (drawing ? ' (drawing)' : '');
    caption.textContent = page.captions[k - 1] || '';
  }

  const drawkit = {
    frameMs: 'frameMs' in test ? test.frameMs : page.frameMs,
    hash: !!test.hash,
    pending: 0,
    frame: function (count, hash) { if (test.frame) test.frame(count, hash); },
    waiting: function (k, hash) {
      show(k, false);
      return test.waiting ? !!test.waiting(k, hash) : false;
    },
    resumed: function (k) { if (k < n) show(k + 1, true); }
  };

  function advance(event) {
    event.preventDefault();
    if (!ended) drawkit.pending++;
  }
  canvas.addEventListener('pointerdown', advance);
  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  document.getElementById('restart').addEventListener('click', function () { location.reload(); });
  document.getElementById('fullscreen').addEventListener('click', function () {
    const screen = document.getElementById('screen');
    if (document.fullscreenElement) document.exitFullscreen();
    else if (screen.requestFullscreen) screen.requestFullscreen();
  });

  window.Module = {
    // The command line: the entry's argument, for a program listed once per argument.
    arguments: page.arguments || [],
    canvas: canvas,
    drawkit: drawkit,
    print: function (text) { if (!/SDL_Quit called/.test(text)) console.log(text); },
    printErr: function (text) { console.error(text); },
    onRuntimeInitialized: function () { if (test.started) test.started(); },
    onExit: function (code) {
      ended = true;
      status.textContent = code === 0 ? 'The program has ended.' : 'The program stopped (status ' + code + ').';
      caption.textContent = 'Press Start again to watch it once more.';
      document.getElementById('restart').classList.add('end');
      if (test.end) test.end(code);
    }
  };
  show(1, true);
})();
