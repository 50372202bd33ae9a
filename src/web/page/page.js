// The page: the chooser with the patterns' stills, and the saver's run in a
// canvas, full screen or (for an address with a replay's options) in the
// window. The module above (createVelkaro) holds the engine and the run.
'use strict';
(function () {
  const page = window.velkaroPage = {
    state: 'loading', frame: 0, pattern: 0, frameTimes: [], errors: [], runs: 0, stills: 0,
  };
  window.addEventListener('error', (event) => page.errors.push(String(event.message)));
  window.addEventListener('unhandledrejection', (event) => page.errors.push(String(event.reason)));

  const $ = (id) => document.getElementById(id);
  const pictureWidth = 320, pictureHeight = 240;
  const choicesKey = 'velkaro.choices';

  // The choices kept from one visit to the next. Storage may be refused
  // (a private window, a file page in some browsers): the page then starts
  // from the defaults every time.
  function loadChoices(patternCount) {
    const choices = { pattern: 0, random: false, music: false };
    try {
      const kept = JSON.parse(localStorage.getItem(choicesKey) || '{}');
      if (Number.isInteger(kept.pattern) && kept.pattern >= 0 && kept.pattern < patternCount)
        choices.pattern = kept.pattern;
      choices.random = kept.random === true;
      choices.music = kept.music === true;
    } catch (error) { /* the defaults */ }
    return choices;
  }

  function saveChoices(choices) {
    try { localStorage.setItem(choicesKey, JSON.stringify(choices)); } catch (error) { /* kept for this visit only */ }
  }

  // The chosen music file, kept as one record (its Blob and its name) in
  // IndexedDB so that the next visit still has it. A browser that keeps
  // nothing (a private window, a file page in some browsers) asks again on
  // the next visit; nothing of that reaches the console.
  const musicDatabase = { name: 'velkaro', store: 'music', key: 'chosen' };

  function requestDone(request) {
    return new Promise((resolve, reject) => {
      request.onsuccess = () => resolve(request.result);
      request.onerror = (event) => { event.preventDefault(); reject(request.error); };
    });
  }

  async function withMusicStore(mode, work) {
    const opening = indexedDB.open(musicDatabase.name, 1);
    opening.onupgradeneeded = () => opening.result.createObjectStore(musicDatabase.store);
    const database = await requestDone(opening);
    try {
      const transaction = database.transaction(musicDatabase.store, mode);
      const done = new Promise((resolve, reject) => {
        transaction.oncomplete = resolve;
        transaction.onabort = () => reject(transaction.error);
      });
      const request = work(transaction.objectStore(musicDatabase.store));
      const [result] = await Promise.all([requestDone(request), done]);
      return result;
    } finally {
      database.close();
    }
  }

  async function loadKeptMusic() {
    try {
      const kept = await withMusicStore('readonly', (store) => store.get(musicDatabase.key));
      if (kept && kept.blob instanceof Blob && typeof kept.name === 'string') return kept;
    } catch (error) { /* nothing kept */ }
    return null;
  }

  async function keepMusic(blob, name) {
    try {
      await withMusicStore('readwrite', (store) => store.put({ name, blob }, musicDatabase.key));
    } catch (error) { /* kept for this visit only */ }
  }

  function seconds_since_midnight() {
    const now = new Date();
    return now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds();
  }

  function drawPicture(context, image, bytes) {
    image.data.set(bytes);
    context.putImageData(image, 0, 0);
  }

  // One run on the stage. Its input reaches the run at the next animation
  // frame; a key or a button press ends it, a pointer move does not.
  // music: { file, url } for the chosen music file, or null.
  function runOnStage(Module, options, fullScreen, onEnd, music) {
    const stage = $('stage');
    const canvas = $('picture');
    const context = canvas.getContext('2d');
    const image = context.createImageData(pictureWidth, pictureHeight);
    const run = music ? new Module.Run(options, music) : new Module.Run(options);
    if (!run.start()) {
      run.delete();
      page.errors.push('the pattern has no palette');
      onEnd();
      return;
    }
    page.state = 'running';
    page.frame = 0;
    page.pattern = run.pattern();
    page.frameTimes = [];
    if (run.held()) drawPicture(context, image, run.picture());

    let ended = false;
    const onKey = (event) => { event.preventDefault(); run.keyDown(event.keyCode | 0); };
    const onPress = (event) => { event.preventDefault(); run.mouseButtonDown(); };
    const onFullScreenChange = () => { if (!document.fullscreenElement) run.closeRequest(); };
    document.addEventListener('keydown', onKey);
    stage.addEventListener('pointerdown', onPress);
    stage.classList.add('shown');
    if (fullScreen && stage.requestFullscreen) {
      stage.requestFullscreen().then(
        () => document.addEventListener('fullscreenchange', onFullScreenChange),
        () => { /* the run goes on in the window */ });
    }

    let lastFrameAt = null;
    function onAnimationFrame(now) {
      if (ended) return;
      if (run.animationFrame(now)) {
        drawPicture(context, image, run.picture());
        if (lastFrameAt !== null) page.frameTimes.push(now - lastFrameAt);
        lastFrameAt = now;
      }
      page.frame = run.frames();
      if (!run.running()) return end();
      if (run.held()) page.state = 'held';
      requestAnimationFrame(onAnimationFrame);
    }
    function end() {
      ended = true;
      document.removeEventListener('keydown', onKey);
      document.removeEventListener('fullscreenchange', onFullScreenChange);
      stage.removeEventListener('pointerdown', onPress);
      run.delete();
      if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
      stage.classList.remove('shown');
      page.state = 'ended';
      page.runs += 1;
      onEnd();
    }
    requestAnimationFrame(onAnimationFrame);
  }

  // The stills, a few frames at a time between the browser's other work, and
  // never while a run is on.
  function makeStills(Module, buttons) {
    let next = 0;
    let still = null;
    function work() {
      if (next >= buttons.length) return;
      if (page.state === 'running' || page.state === 'held') return setTimeout(work, 250);
      if (!still) still = new Module.Still(next);
      // Slices of about 10 ms keep the page answering its input meanwhile.
      const sliceEnd = performance.now() + 10;
      let done = false;
      while (!done && performance.now() < sliceEnd) done = still.advance(5);
      if (done) {
        const canvas = buttons[next].querySelector('canvas');
        const context = canvas.getContext('2d');
        drawPicture(context, context.createImageData(pictureWidth, pictureHeight), still.picture());
        still.delete();
        still = null;
        next += 1;
        page.stills = next;
      }
      setTimeout(work, 0);
    }
    work();
  }

  // The music file the user chose: the name it is known by in the run and
  // the object URL of its Blob. An MCI command string quotes the name, so a
  // quote in it (which other systems' names may hold) becomes an apostrophe.
  function chosenMusic() {
    let music = null;
    return {
      get: () => music,
      choose(blob, name) {
        if (music) URL.revokeObjectURL(music.url);
        music = { file: name.replace(/"/g, "'"), url: URL.createObjectURL(blob) };
        $('music-name').textContent = name;
      },
    };
  }

  function buildChooser(Module, choices, music) {
    const grid = $('patterns');
    const buttons = [];
    for (let n = 0; n < Module.patternCount; ++n) {
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'pattern';
      button.dataset.pattern = String(n);
      button.setAttribute('aria-label', 'Pattern ' + n);
      button.title = String(n);
      const canvas = document.createElement('canvas');
      canvas.width = pictureWidth;
      canvas.height = pictureHeight;
      button.append(canvas);
      grid.append(button);
      buttons.push(button);
    }
    function choose(n) {
      choices.pattern = n;
      buttons.forEach((button, i) => button.setAttribute('aria-pressed', String(i === n)));
      saveChoices(choices);
    }
    buttons.forEach((button, n) => button.addEventListener('click', () => choose(n)));
    // The arrow keys move through the 7 x 4 grid.
    grid.addEventListener('keydown', (event) => {
      const steps = { ArrowLeft: -1, ArrowRight: 1, ArrowUp: -7, ArrowDown: 7 };
      const at = buttons.indexOf(document.activeElement);
      if (!(event.key in steps) || at < 0) return;
      const to = at + steps[event.key];
      if (to < 0 || to >= buttons.length) return;
      event.preventDefault();
      buttons[to].focus();
    });
    choose(choices.pattern);

    const random = $('random');
    random.checked = choices.random;
    random.addEventListener('change', () => { choices.random = random.checked; saveChoices(choices); });
    $(choices.music ? 'music' : 'music-none').checked = true;
    for (const id of ['music', 'music-none']) {
      $(id).addEventListener('change', () => { choices.music = $('music').checked; saveChoices(choices); });
    }
    $('music-choose').addEventListener('click', () => $('music-file').click());
    // A cancelled choice keeps the file chosen before.
    $('music-file').addEventListener('change', () => {
      const file = $('music-file').files[0];
      if (!file) return;
      music.choose(file, file.name);
      keepMusic(file, file.name);
    });
    loadKeptMusic().then((kept) => { if (kept && !music.get()) music.choose(kept.blob, kept.name); });
    makeStills(Module, buttons);
    return buttons;
  }

  function showChooser(buttons, choices) {
    $('chooser').hidden = false;
    page.state = 'choosing';
    buttons[choices.pattern].focus();
  }

  function main(Module) {
    const choices = loadChoices(Module.patternCount);
    const music = chosenMusic();
    const buttons = buildChooser(Module, choices, music);
    const backToChooser = () => showChooser(buttons, choices);
    $('start').addEventListener('click', () => {
      const options = Module.parseAddress('');
      options.pattern = choices.pattern;
      options.random = choices.random;
      options.clockSeconds = seconds_since_midnight();
      $('chooser').hidden = true;
      runOnStage(Module, options, true, backToChooser, choices.music ? music.get() : null);
    });
    const options = Module.parseAddress(location.search);
    if (options.replay) runOnStage(Module, options, false, backToChooser);
    else backToChooser();
  }

  createVelkaro().then(main, (error) => {
    page.errors.push(String(error));
    page.state = 'failed';
    // Most often a browser without WebAssembly SIMD, which the module needs.
    $('chooser').hidden = false;
    $('message').textContent = 'Velkaro could not start in this browser (' + error + '). It needs ' +
      'WebAssembly SIMD: Chrome or Edge 91, Firefox 89, Safari 16.4 or later.';
  });
})();
