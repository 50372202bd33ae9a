// The chooser: its 28 stills are the engine's frames that the dialog's
// thumbnails are made from, it is worked with the keyboard alone, and the
// choices outlive the page.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { after, before, test } from 'node:test';
import { launchChromium, PageUnderTest } from './lib/page.mjs';
import { pictureDifference, ReferencePictures } from './lib/reference.mjs';

let browser, tab, reference;

before(async () => {
  browser = await launchChromium();
  tab = await PageUnderTest.open(browser);
  reference = new ReferencePictures();
});

after(async () => {
  reference?.close();
  await browser?.close();
});

// velkaro-art's own list: pattern, frame, time of day of each still.
function stillRuns() {
  const art = process.env.VELKARO_ART ?? '';
  const lines = execFileSync(art, ['--thumbnail-frames'], { encoding: 'utf8' }).trim().split('\n');
  return lines.map((line) => {
    const [pattern, frames, clock] = line.split(/\s+/).map(Number);
    return { pattern, frames, clock };
  });
}

function chooserState() {
  return tab.page.evaluate(() => ({
    pressed: [...document.querySelectorAll('button.pattern[aria-pressed="true"]')].map((b) => b.dataset.pattern),
    focused: document.activeElement?.dataset?.pattern ?? document.activeElement?.id ?? null,
    random: document.querySelector('#random').checked,
  }));
}

test('the 28 stills are the frames of the dialog\'s thumbnails', async () => {
  await tab.load();
  await tab.waitFor('28 stills', (page) => page.stills === 28, undefined, 120000);
  const runs = stillRuns();
  assert.equal(runs.length, 28);
  const failures = [];
  for (const run of runs) {
    const shown = await tab.picture(`button.pattern[data-pattern="${run.pattern}"] canvas`);
    const difference = pictureDifference(shown, reference.picture(run));
    if (difference) failures.push(`pattern ${run.pattern} at frame ${run.frames}: ${difference}`);
  }
  assert.deepEqual(failures, []);
  await tab.assertNoProblems();
});

test('the keyboard alone chooses, and the choices are kept', async () => {
  await tab.page.evaluate(() => localStorage.clear());
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
  assert.equal((await chooserState()).focused, '0');
  for (const key of ['ArrowRight', 'ArrowRight', 'ArrowRight', 'ArrowDown', 'ArrowLeft', 'Enter'])
    await tab.page.keyboard.press(key);
  assert.deepEqual(await chooserState(), { pressed: ['9'], focused: '9', random: false });
  // Off the grid's edge the focus stays where it is.
  for (const key of ['ArrowUp', 'ArrowUp']) await tab.page.keyboard.press(key);
  assert.equal((await chooserState()).focused, '2');

  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
  assert.deepEqual(await chooserState(), { pressed: ['9'], focused: '9', random: false });
  await tab.page.focus('#random');
  await tab.page.keyboard.press('Space');
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
  assert.equal((await chooserState()).random, true);

  // Start by the keyboard: the random run takes a pattern of its own, and a
  // key ends it.
  await tab.page.evaluate(() => { document.querySelector('#random').click(); });
  await tab.page.focus('#start');
  await tab.page.keyboard.press('Enter');
  await tab.waitFor("run ('running')", (page) => page.state === 'running');
  assert.equal((await tab.hooks()).pattern, 9);
  await tab.page.keyboard.press('Escape');
  await tab.waitFor("chooser again ('choosing')", (page) => page.state === 'choosing', undefined, 5000);
  await tab.assertNoProblems();
});

test('storage that holds nonsense gives the defaults', async () => {
  await tab.page.evaluate(() => localStorage.setItem('velkaro.choices', '{"pattern": 99, "random": "yes"'));
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
  assert.deepEqual(await chooserState(), { pressed: ['0'], focused: '0', random: false });
  await tab.assertNoProblems();
});
