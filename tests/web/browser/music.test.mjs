// The music file chosen in the chooser plays while the run is on: a WAV file
// in an audio element that loops it, from Start to the key that ends the
// run, and the choice and the file are still there on the next visit.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';
import { launchChromium, PageUnderTest } from './lib/page.mjs';

let browser, tab, folder, wave;

before(async () => {
  folder = mkdtempSync(join(tmpdir(), 'velkaro-music-'));
  wave = join(folder, 'tone.wav');
  // Two seconds of 440 Hz, so that the loop comes round within the test.
  execFileSync('sox', ['-n', '-r', '44100', '-c', '1', wave, 'synth', '2', 'sine', '440', 'vol', '0.2']);
  browser = await launchChromium();
  tab = await PageUnderTest.open(browser);
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
});

after(async () => {
  await browser?.close();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

// The page's audio elements: whether each plays, where, and whether it loops.
function audio() {
  return tab.page.evaluate(() => [...document.querySelectorAll('audio')].map(
    (element) => ({ paused: element.paused, time: element.currentTime, loop: element.loop })));
}

test('the chosen WAV file plays in a loop from the start of the run to its end', async () => {
  await tab.page.check('#music');
  await tab.page.setInputFiles('#music-file', wave);
  assert.equal(await tab.page.textContent('#music-name'), 'tone.wav');
  assert.deepEqual(await audio(), [], 'audio elements before the run');

  const runsBefore = (await tab.hooks()).runs;
  await tab.page.click('#start');
  await tab.waitFor("run ('running')", (page) => page.state === 'running');
  await sleep(700);
  const [early, ...others] = await audio();
  assert.equal(others.length, 0, 'one audio element in the run');
  assert.ok(early && !early.paused && early.loop, `the element 0.7 s into the run: ${JSON.stringify(early)}`);
  // Past the end of the file, it plays on from its start.
  const times = [];
  for (let k = 0; k < 12; ++k) {
    await sleep(250);
    const [now] = await audio();
    assert.ok(now && !now.paused, `the element ${0.7 + 0.25 * (k + 1)} s into the run: ${JSON.stringify(now)}`);
    times.push(now.time);
  }
  assert.ok(times.some((time, k) => k > 0 && time > times[k - 1]), `currentTime advances: ${times}`);
  assert.ok(times.some((time, k) => k > 0 && time < times[k - 1]), `currentTime comes round: ${times}`);

  await tab.page.keyboard.press('KeyA');
  await tab.waitFor('end of the run', (page, runs) => page.runs === runs, runsBefore + 1, 5000);
  assert.deepEqual(await audio(), [], 'audio elements after the run');
  await tab.assertNoProblems();
});

test('the next visit has the music choice and the file', async () => {
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
  // The file comes back from IndexedDB after the chooser is up.
  await tab.page.waitForFunction(() => document.querySelector('#music-name').textContent !== '',
                                 undefined, { timeout: 5000 }).catch(() => {});
  assert.equal(await tab.page.isChecked('#music'), true, '#music checked');
  assert.equal(await tab.page.textContent('#music-name'), 'tone.wav');
  await tab.page.click('#start');
  await tab.waitFor("run ('running')", (page) => page.state === 'running');
  await sleep(700);
  const [kept] = await audio();
  assert.ok(kept && !kept.paused, `the kept file's element 0.7 s into the run: ${JSON.stringify(kept)}`);
  await tab.page.keyboard.press('KeyA');
  await tab.waitFor("chooser again ('choosing')", (page) => page.state === 'choosing', undefined, 5000);
  await tab.assertNoProblems();
});
