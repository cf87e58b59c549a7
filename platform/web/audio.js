// The page's side of the audio device: a pump on the browser's clock takes the mix as it
// falls due and, once the browser allows sound, hands it to an audio worklet that plays it.
Module.zt.audio = (function () {
  'use strict';
  var kRate = 44100, kStepMs = 16, kAheadFrames = 1280;  // about 29 ms queued ahead
  // The worklet plays what it is given and keeps the loudest sample it has played.
  var worklet = [
    'class ZentorraOutput extends AudioWorkletProcessor {',
    '  constructor() { super(); this.queue = []; this.offset = 0; this.peak = 0;',
    '    this.port.onmessage = (e) => { if (e.data === "peak") this.port.postMessage(this.peak);',
    '      else this.queue.push(e.data); }; }',
    '  process(inputs, outputs) {',
    '    const left = outputs[0][0], right = outputs[0][1];',
    '    for (let i = 0; i < left.length; ++i) {',
    '      const chunk = this.queue[0];',
    '      if (!chunk) { left[i] = right[i] = 0; continue; }',
    '      left[i] = chunk[this.offset]; right[i] = chunk[this.offset + 1];',
    '      this.peak = Math.max(this.peak, Math.abs(left[i]), Math.abs(right[i]));',
    '      this.offset += 2;',
    '      if (this.offset >= chunk.length) { this.queue.shift(); this.offset = 0; }',
    '    }',
    '    return true;',
    '  }',
    '}',
    'registerProcessor("zentorra-output", ZentorraOutput);'].join('\n');
  var context = null, node = null, pump = 0, taken = 0, started = 0;

  // The first click, tap or key lets the browser play: the context is made then.
  function allow() {
    if (context) return;
    context = new AudioContext({sampleRate: kRate, latencyHint: 'interactive'});
    var url = URL.createObjectURL(new Blob([worklet], {type: 'text/javascript'}));
    context.audioWorklet.addModule(url).then(function () {
      node = new AudioWorkletNode(context, 'zentorra-output', {outputChannelCount: [2]});
      node.connect(context.destination);
      node.port.onmessage = function (e) { Module.zt.audio.peak = e.data; };
    });
  }
  ['pointerdown', 'keydown', 'touchend'].forEach(function (type) {
    window.addEventListener(type, allow, {capture: true});
  });

  return {
    peak: 0,
    start: function () {
      started = performance.now();
      taken = 0;
      pump = setInterval(function () {
        var due = Math.floor((performance.now() - started) * kRate / 1000) + kAheadFrames;
        if (due <= taken) return;
        var frames = due - taken;
        var at = Module._zt_mix(frames) >> 2;
        taken = due;
        if (node && context.state === 'running') {
          var chunk = HEAPF32.slice(at, at + frames * 2);
          node.port.postMessage(chunk, [chunk.buffer]);
        }
      }, kStepMs);
    },
    stop: function () {
      clearInterval(pump);
      pump = 0;
    },
    // The program has ended: nothing is left running.
    end: function () {
      this.stop();
      if (context) context.close();
    },
    // Asks the worklet for the loudest sample it has played (tests).
    askPeak: function () { if (node) node.port.postMessage('peak'); },
    context: function () { return context; },
  };
})();
