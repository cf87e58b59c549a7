// The page's side of the web backend: the canvas that shows the desktop, the input it
// queues for the program, the waits that give the browser its turn, the player's folder
// in the browser's storage, and the quiet page after the end.
Module.zt = (function () {
  'use strict';
  var kWidth = 1024, kHeight = 768;
  // The keys the screens act on, by the browser's names; the program knows them so.
  var kKeys = ['Enter', 'Escape', ' ', 'Tab', 'Backspace', 'Delete', 'ArrowLeft', 'ArrowRight',
               'ArrowUp', 'ArrowDown', 'Home', 'End', 'F11', 'a', 'A', 'm', 'M', 'v', 'V'];
  var canvas = document.getElementById('screen');
  var context = canvas.getContext('2d');
  var offscreen = document.createElement('canvas');
  offscreen.width = kWidth;
  offscreen.height = kHeight;
  var offscreenContext = offscreen.getContext('2d');
  var keys = document.getElementById('keys');
  var queue = [], wakeUp = null, sleepTimer = 0, wakePending = false;
  var frame = null, frameAsked = false, frameWaiters = [];
  var keyboardWanted = false, ended = false;
  // Figures for the measurements: when the first frame was drawn, the longest turn the
  // program took before giving the browser its turn again.
  var figures = {firstFrameMs: 0, longestTurnMs: 0, turnsMs: []}, turnStarted = 0;

  function deliver(event) {
    if (ended) return;
    queue.push(event);
    wake();
  }

  // The program goes on once the running JavaScript is done: a wake-up may come from
  // inside a call into the program (a sound that ended).
  function wake() {
    if (!wakeUp) { wakePending = true; return; }
    var resume = wakeUp;
    wakeUp = null;
    clearTimeout(sleepTimer);
    Promise.resolve().then(resume);
  }

  function desktopPoint(e) {
    var rect = canvas.getBoundingClientRect();
    return {x: Math.floor((e.clientX - rect.left) * kWidth / rect.width),
            y: Math.floor((e.clientY - rect.top) * kHeight / rect.height)};
  }

  // The canvas fills the view with the desktop's shape, its pixels the screen's own.
  function fit() {
    var note = document.getElementById('touch-note');
    var free = window.innerHeight - (note && note.offsetParent ? note.offsetHeight : 0);
    var cssWidth = Math.min(window.innerWidth, free * kWidth / kHeight);
    var cssHeight = cssWidth * kHeight / kWidth;
    var ratio = window.devicePixelRatio || 1;
    canvas.style.width = cssWidth + 'px';
    canvas.style.height = cssHeight + 'px';
    canvas.width = Math.round(cssWidth * ratio);
    canvas.height = Math.round(cssHeight * ratio);
    draw();
  }

  function draw() {
    var whole = canvas.width === kWidth && canvas.height === kHeight;
    context.imageSmoothingEnabled = !whole;
    context.imageSmoothingQuality = 'high';
    context.drawImage(offscreen, 0, 0, canvas.width, canvas.height);
  }

  function presentFrame() {
    frameAsked = false;
    if (frame) {
      offscreenContext.putImageData(new ImageData(
          new Uint8ClampedArray(HEAPU8.buffer, frame.rgba, frame.width * frame.height * 4),
          frame.width, frame.height), 0, 0);
      frame = null;
      draw();
      if (!figures.firstFrameMs) figures.firstFrameMs = performance.now();
    }
    var waiters = frameWaiters;
    frameWaiters = [];
    waiters.forEach(function (resume) { resume(); });
  }

  function askFrame() {
    if (!frameAsked) {
      frameAsked = true;
      requestAnimationFrame(presentFrame);
    }
  }

  // A turn of the program ends where it gives the browser its turn; the next one starts
  // when it is resumed.
  function timedTurn(resume) {
    if (turnStarted) {
      var turnMs = performance.now() - turnStarted;
      figures.longestTurnMs = Math.max(figures.longestTurnMs, turnMs);
      if (figures.turnsMs.length < 100000) figures.turnsMs.push(turnMs);
    }
    turnStarted = 0;
    return function () { turnStarted = performance.now(); resume(); };
  }

  function press(e, button) {
    var p = desktopPoint(e);
    deliver({type: 1, button: button, x: p.x, y: p.y});
  }

  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
  canvas.addEventListener('pointerdown', function (e) {
    e.preventDefault();
    if (keyboardWanted) keys.focus();
    // A tap is a press of its own kind: the screen decides which button it is (8).
    var button = e.pointerType === 'touch' ? 8 : [1, 4, 2][e.button] || 0;
    press(e, button);
  });
  canvas.addEventListener('pointermove', function (e) {
    var p = desktopPoint(e);
    deliver({type: 2, x: p.x, y: p.y});
  });
  window.addEventListener('keydown', function (e) {
    if (e.metaKey) return;
    var shift = (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    var known = kKeys.indexOf(e.key) >= 0;
    if (!known && e.key.length !== 1) return;
    deliver({type: 3, button: shift, text: known ? e.key : ''});
    if (e.key.length === 1 && !e.ctrlKey && !e.altKey) deliver({type: 4, text: e.key});
    e.preventDefault();
  });
  keys.addEventListener('input', function () {
    if (keys.value) deliver({type: 4, text: keys.value});
    keys.value = '';
  });
  window.addEventListener('resize', fit);
  window.addEventListener('pagehide', function () {
    // The saves' flushes wait for nothing meanwhile: the transaction below takes their files.
    Module.zt.hiding = true;
    if (!ended) Module._zt_page_hide();
    Module.zt.hiding = false;
    Module.zt.storeNow();
  });
  // A page brought back from the browser's cache went through its close: start afresh.
  window.addEventListener('pageshow', function (e) { if (e.persisted) location.reload(); });
  if (matchMedia('(pointer: coarse)').matches) document.body.classList.add('touch');
  fit();

  return {
    nextEvent: function (fields, text, textSize) {
      var event = queue.shift();
      if (!event) return 0;
      HEAP32.set([event.type, event.button || 0, event.x || 0, event.y || 0, event.key || 0],
                 fields >> 2);
      stringToUTF8(event.text || '', text, textSize);
      return 1;
    },
    figures: figures,
    sleep: function (timeoutMs, resume) {
      resume = timedTurn(resume);
      if (queue.length || wakePending) {
        wakePending = false;
        setTimeout(resume, 0);
        return;
      }
      wakeUp = resume;
      if (timeoutMs >= 0) sleepTimer = setTimeout(wake, timeoutMs);
    },
    wake: wake,
    // The pixels are read where they are at the display frame: the latest picture then.
    showFrame: function (rgba, width, height) {
      frame = {rgba: rgba, width: width, height: height};
      askFrame();
    },
    afterFrame: function (resume) {
      resume = timedTurn(resume);
      if (!frame) { setTimeout(resume, 0); return; }
      frameWaiters.push(resume);
      askFrame();
    },
    setPointer: function (kind, rgba) {
      if (kind !== 2) { canvas.style.cursor = kind === 1 ? 'pointer' : 'default'; return; }
      var picture = document.createElement('canvas');
      picture.width = picture.height = 32;
      picture.getContext('2d').putImageData(
          new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, 32 * 32 * 4).slice(), 32, 32),
          0, 0);
      canvas.style.cursor = 'url(' + picture.toDataURL() + ') 0 0, pointer';
    },
    wantKeyboard: function (wanted) {
      keyboardWanted = !!wanted;
      if (keyboardWanted) keys.focus(); else keys.blur();
    },
    ended: function () {
      ended = true;
      Module.zt.audio.end();
      document.getElementById('game').hidden = true;
      document.getElementById('end').hidden = false;
      document.title = 'Zentorra';
    },
  };
})();

// The player's folder lives in the browser's storage: read in before the program starts,
// written back after every change (one write at a time, the last change always included).
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdir('/player');
  FS.mount(IDBFS, {}, '/player');
  addRunDependency('player-folder');
  FS.syncfs(true, function (error) {
    if (error) console.info('The browser keeps no saves here:', error);
    removeRunDependency('player-folder');
  });
  var writing = false, again = false;
  function writeBack() {
    if (writing) { again = true; return; }
    writing = true;
    FS.syncfs(false, function () {
      writing = false;
      if (again) { again = false; writeBack(); }
    });
  }
  // A page that is going runs no more callbacks: the folder's files are handed to the
  // storage in one transaction before the page-hide event ends, on the database the first
  // read opened.
  Module.zt.storeNow = function () {
    var db = IDBFS.dbs['/player'];
    if (!db) return;
    try {
      var transaction = db.transaction([IDBFS.DB_STORE_NAME], 'readwrite');
      var store = transaction.objectStore(IDBFS.DB_STORE_NAME);
      IDBFS.getLocalSet(FS.lookupPath('/player').node.mount, function (error, local) {
        if (error) return;
        Object.keys(local.entries).forEach(function (path) {
          IDBFS.loadLocalEntry(path, function (error, entry) {
            if (!error) IDBFS.storeRemoteEntry(store, path, entry, function () {});
          });
        });
      });
      // Sent now, not when the page's next turn would have ended the transaction.
      if (transaction.commit) transaction.commit();
    } catch (error) {
      console.info('The last changes could not be stored:', error);
    }
  };
  // A save's flush (fsync) writes the folder to the storage and waits for it, except while
  // the page is going.
  var syncfs = IDBFS.syncfs;
  IDBFS.syncfs = function (mount, populate, callback) {
    if (Module.zt.hiding && !populate) return callback(null);
    return syncfs.apply(IDBFS, arguments);
  };
  ['rename', 'unlink', 'rmdir', 'mkdir'].forEach(function (name) {
    var original = FS[name];
    FS[name] = function (path) {
      var result = original.apply(FS, arguments);
      if (String(path).indexOf('/player/') === 0) writeBack();
      return result;
    };
  });
});
