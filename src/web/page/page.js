// The page: the chooser with the patterns' stills, and the saver's run in a
// canvas, full screen or (for an address with a replay's options) in the
// window. The module above (createVelkaro) holds the engine and the run.
'use strict';
(function () {
  const page = window.velkaroPage = {
    state: 'loading', frame: 0, pattern: 0, frameTimes: [], errors: [], runs: 0, stills: 0,
  };
  window.addEventListener('error', (event) => page.errors.push(String(event.message)));

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
  function runOnStage(Module, options, fullScreen, onEnd) {
    const stage = $('stage');
    const canvas = $('picture');
    const context = canvas.getContext('2d');
    const image = context.createImageData(pictureWidth, pictureHeight);
    const run = new Module.Run(options);
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

  function buildChooser(Module, choices) {
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
    $('music-file').addEventListener('change', () => {
      const file = $('music-file').files[0];
      $('music-name').textContent = file ? file.name : '';
    });
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
    const buttons = buildChooser(Module, choices);
    const backToChooser = () => showChooser(buttons, choices);
    $('start').addEventListener('click', () => {
      const options = Module.parseAddress('');
      options.pattern = choices.pattern;
      options.random = choices.random;
      options.clockSeconds = seconds_since_midnight();
      $('chooser').hidden = true;
      runOnStage(Module, options, true, backToChooser);
    });
    const options = Module.parseAddress(location.search);
    if (options.replay) runOnStage(Module, options, false, backToChooser);
    else backToChooser();
  }

  createVelkaro().then(main, (error) => {
    page.errors.push(String(error));
    page.state = 'failed';
    $('message').textContent = 'Velkaro could not start: ' + error;
  });
})();
