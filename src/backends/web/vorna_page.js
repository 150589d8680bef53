// The page's side of the program: it forwards events to the game, draws its pictures, shows its boxes
// and starts the audio on the first key or click. The rules themselves (sizes, texts) come from the program.
(function () {
  // Event numbers shared with PageEvent in web_page.h.
  const kFocus = 1, kCommand = 2, kClose = 3, kFullScreen = 4;
  const kEscapeKeyCode = 27;
  const kFrameTimesKept = 600;
  const kMixBlockFrames = 1024;
  // The synthesizer's files, copied beside the page by make web.
  const kFluidSynthScript = 'libfluidsynth-2.4.6.js', kSynthesizerScript = 'js-synthesizer.min.js';
  const kSoundFont = 'TimGM6mb.sf2';
  const kSynthGain = 0.4; // as loud as the desktop's synthesizer
  const kWordBytes = 4;
  // Keys the browser keeps for itself: reload, full screen, developer tools, moving the focus.
  const kBrowserKeys = new Set(['F5', 'F11', 'F12', 'Tab']);

  const params = new URLSearchParams(location.search);
  Module.arguments = [params.get('switches') || ''];
  Module.canvas = document.getElementById('canvas');
  const context = Module.canvas.getContext('2d');
  let wake = null;
  let dialogOpen = false;
  let audioStarted = false;
  Module.vornaFrameTimes = [];
  Module.vornaAudioContext = null;
  Module.vornaEffectsPeak = 0; // the loudest effects sample played so far, for the tests
  Module.vornaMusicPeak = 0;   // likewise for the music
  Module.vornaNoteOns = 0;     // note-on messages handed to the synthesizer
  Module.vornaSynthReady = false;
  Module.vornaMusicError = null;
  let synth = null;

  function post(kind, a, b, c) {
    if (!Module.vornaRunning) return;
    Module._vorna_web_post(kind, a | 0, b | 0, c | 0);
    if (wake) wake();
  }

  Module.vornaWaitForEvent = function (timeoutMs) {
    return new Promise(function (resolve) {
      let timer = null;
      wake = function () {
        wake = null;
        if (timer !== null) clearTimeout(timer);
        resolve();
      };
      if (timeoutMs >= 0) timer = setTimeout(function () { if (wake) wake(); }, timeoutMs);
    });
  };

  Module.vornaSetCanvasSize = function (width, height) {
    Module.canvas.width = width;
    Module.canvas.height = height;
  };

  Module.vornaPutPicture = function (pixels, width, height) {
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, 0);
    const times = Module.vornaFrameTimes;
    times.push(performance.now());
    if (times.length > kFrameTimesKept) times.shift();
  };

  Module.vornaFramesShown = function () { return Module._vorna_web_frames_shown(); };
  Module.vornaScene = function () { return Module._vorna_web_scene(); };

  Module.vornaAddMenuItem = function (command, text) {
    const menu = document.getElementById('menu');
    if (command === 0) {
      const gap = document.createElement('span');
      gap.className = 'gap';
      menu.appendChild(gap);
      return;
    }
    const button = document.createElement('button');
    button.textContent = text;
    button.dataset.command = command;
    button.addEventListener('click', function () {
      post(kCommand, command);
      Module.canvas.focus();
    });
    menu.appendChild(button);
    if (!document.getElementById('fullscreen')) {
      const full = document.createElement('button');
      full.id = 'fullscreen';
      full.textContent = 'Full screen';
      full.addEventListener('click', function () { document.getElementById('stage').requestFullscreen(); });
      menu.insertBefore(full, menu.firstChild);
    }
  };

  // A modal box; resolves with 1 for Yes or OK, 0 for No (Esc too).
  function showDialog(caption, build) {
    return new Promise(function (resolve) {
      const box = document.createElement('dialog');
      const title = document.createElement('h3');
      title.textContent = caption;
      box.appendChild(title);
      const buttons = document.createElement('div');
      buttons.className = 'buttons';
      function finish(answer) {
        box.close();
        box.remove();
        dialogOpen = false;
        Module.canvas.focus();
        resolve(answer);
      }
      build(box, buttons, finish);
      box.appendChild(buttons);
      box.addEventListener('cancel', function (e) { e.preventDefault(); finish(0); });
      document.body.appendChild(box);
      dialogOpen = true;
      box.showModal();
      const first = buttons.querySelector('button');
      if (first) first.focus();
    });
  }

  function addButton(buttons, text, id, onClick) {
    const button = document.createElement('button');
    button.textContent = text;
    button.id = id;
    button.addEventListener('click', onClick);
    buttons.appendChild(button);
  }

  Module.vornaMessageBox = function (text, caption, yesNo, yes, no, ok) {
    return showDialog(caption, function (box, buttons, finish) {
      const body = document.createElement('p');
      body.textContent = text;
      box.appendChild(body);
      box.id = 'message-box';
      if (yesNo) {
        addButton(buttons, yes, 'box-yes', function () { finish(1); });
        addButton(buttons, no, 'box-no', function () { finish(0); });
      } else {
        addButton(buttons, ok, 'box-ok', function () { finish(1); });
      }
    });
  };

  Module.vornaVersionBox = function (caption, lines, credits, close) {
    return showDialog(caption, function (box, buttons, finish) {
      box.id = 'version-box';
      const body = document.createElement('p');
      body.textContent = lines;
      box.appendChild(body);
      const roll = document.createElement('div');
      roll.className = 'credits';
      roll.textContent = credits;
      box.appendChild(roll);
      addButton(buttons, close, 'box-close', function () { finish(1); });
    });
  };

  Module.vornaGameEnded = function (code) {
    Module.vornaRunning = false;
    Module.vornaExitCode = code;
    document.getElementById('notice').textContent = 'The game has ended. Reload the page to play again.';
    context.fillStyle = '#000';
    context.fillRect(0, 0, Module.canvas.width, Module.canvas.height);
  };

  function loadScript(src) {
    return new Promise(function (resolve, reject) {
      const script = document.createElement('script');
      script.src = src;
      script.onload = resolve;
      script.onerror = function () { reject(new Error('cannot load ' + src)); };
      document.head.appendChild(script);
    });
  }

  function fetchOk(url) {
    return fetch(url).then(function (response) {
      if (!response.ok) throw new Error(url + ': ' + response.status);
      return response;
    });
  }

  // FluidSynth's own loader keeps its state in a global named Module, as the game's does: it is run in a
  // function of its own so that the two never meet.
  function loadSynthesizer(sampleRate) {
    const library = fetchOk(kFluidSynthScript).then(function (r) { return r.text(); }).then(function (text) {
      return new Function(text + '\n;return Module;')();
    });
    const soundFont = fetchOk(kSoundFont).then(function (r) { return r.arrayBuffer(); });
    return Promise.all([library, loadScript(kSynthesizerScript), soundFont]).then(function (loaded) {
      JSSynth.Synthesizer.initializeWithFluidSynthModule(loaded[0]);
      return JSSynth.waitForReady().then(function () {
        // FluidSynth's notes on file functions it has no use for here would show as console errors.
        JSSynth.disableLogging();
        const s = new JSSynth.Synthesizer();
        s.init(sampleRate, { initialGain: kSynthGain, reverbActive: false, chorusActive: false });
        return s.loadSFont(loaded[2]).then(function () { return s; });
      });
    });
  }

  // One channel message from the stream (status in the low byte, then the two data bytes).
  function sendToSynth(message) {
    const status = message & 0xF0, channel = message & 0x0F;
    const d1 = (message >> 8) & 0x7F, d2 = (message >> 16) & 0x7F;
    switch (status) {
      case 0x80: synth.midiNoteOff(channel, d1); break;
      case 0x90:
        if (d2 === 0) {
          synth.midiNoteOff(channel, d1);
        } else {
          synth.midiNoteOn(channel, d1, d2);
          Module.vornaNoteOns += 1;
        }
        break;
      case 0xA0: synth.midiKeyPressure(channel, d1, d2); break;
      case 0xB0: synth.midiControl(channel, d1, d2); break;
      case 0xC0: synth.midiProgramChange(channel, d1); break;
      case 0xD0: synth.midiChannelPressure(channel, d1); break;
      case 0xE0: synth.midiPitchBend(channel, d1 | (d2 << 7)); break;
      default: break;
    }
  }

  // Plays the stream's next block of frames into left and right, each message at its own sample. Until the
  // synthesizer is ready the stream stands, so the music starts from its beginning.
  function renderMusic(left, right) {
    if (!synth) return;
    const frames = left.length;
    const events = Module._vorna_web_music(frames);
    if (!events) return;
    const count = Module._vorna_web_music_events();
    const words = HEAPU32.subarray(events / kWordBytes, events / kWordBytes + 2 * count);
    const musicLeft = new Float32Array(frames), musicRight = new Float32Array(frames);
    let done = 0;
    for (let i = 0; i <= count; ++i) {
      const due = i < count ? Math.min(words[2 * i], frames) : frames;
      if (due > done) {
        synth.render([musicLeft.subarray(done, due), musicRight.subarray(done, due)]);
        done = due;
      }
      if (i < count) sendToSynth(words[2 * i + 1]);
    }
    let peak = Module.vornaMusicPeak;
    for (let i = 0; i < frames; ++i) {
      peak = Math.max(peak, Math.abs(musicLeft[i]), Math.abs(musicRight[i]));
      left[i] += musicLeft[i];
      right[i] += musicRight[i];
    }
    Module.vornaMusicPeak = peak;
  }

  function startAudio() {
    if (audioStarted || !Module.vornaRunning) return;
    audioStarted = true;
    const AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextClass) {
      document.getElementById('notice').textContent = 'This browser has no Web Audio: the game plays silent.';
      return;
    }
    const audio = new AudioContextClass({ sampleRate: Module._vorna_web_audio_rate() });
    Module.vornaAudioContext = audio;
    // The effects' mix is pulled from the program in blocks; it plays on while the game's loop waits.
    const effects = audio.createScriptProcessor(kMixBlockFrames, 0, 2);
    effects.onaudioprocess = function (e) {
      const left = e.outputBuffer.getChannelData(0), right = e.outputBuffer.getChannelData(1);
      const mix = Module._vorna_web_mix(left.length);
      if (!mix) {
        left.fill(0);
        right.fill(0);
        return;
      }
      const stereo = HEAPF32.subarray(mix >> 2, (mix >> 2) + 2 * left.length);
      let peak = Module.vornaEffectsPeak;
      for (let i = 0; i < left.length; ++i) {
        left[i] = stereo[2 * i];
        right[i] = stereo[2 * i + 1];
        peak = Math.max(peak, Math.abs(left[i]), Math.abs(right[i]));
      }
      Module.vornaEffectsPeak = peak;
      renderMusic(left, right);
    };
    effects.connect(audio.destination);
    loadSynthesizer(audio.sampleRate).then(function (s) {
      synth = s;
      Module.vornaSynthReady = true;
    }, function (error) {
      Module.vornaMusicError = error.message;
      console.warn('The music cannot play: ' + error.message);
    });
    audio.resume().then(function () {
      Module._vorna_web_audio_started();
      document.getElementById('notice').textContent = 'Sound is on.';
      if (Module.vornaAudioStarted) Module.vornaAudioStarted(Module.vornaAudioContext);
    });
  }

  function onKey(e, down) {
    startAudio();
    if (dialogOpen || !Module.vornaRunning) return;
    if (e.ctrlKey || e.altKey || e.metaKey || kBrowserKeys.has(e.key)) return;
    e.preventDefault();
    Module._vorna_web_key(e.keyCode, down ? 1 : 0);
    if (!down && e.keyCode === kEscapeKeyCode) post(kClose);
  }

  window.addEventListener('keydown', function (e) { onKey(e, true); });
  window.addEventListener('keyup', function (e) { onKey(e, false); });
  window.addEventListener('mousedown', startAudio);
  window.addEventListener('blur', function () { if (!dialogOpen) post(kFocus, 0); });
  window.addEventListener('focus', function () { post(kFocus, 1); });
  document.addEventListener('visibilitychange', function () { post(kFocus, document.hidden ? 0 : 1); });
  document.addEventListener('fullscreenchange', function () {
    if (document.fullscreenElement) post(kFullScreen, 1, screen.width, screen.height);
    else post(kFullScreen, 0);
  });

  Module.preRun = Module.preRun || [];
  Module.preRun.push(function () { Module.vornaRunning = true; });
})();
