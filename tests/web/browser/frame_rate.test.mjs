// The saver's own run keeps 60 frames a second in the browser: ten seconds
// of a full-screen run, timed by the page between consecutive engine frames.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';
import { launchChromium, PageUnderTest } from './lib/page.mjs';

const SECONDS = 10;
const LOWEST_MEAN_RATE = 55;
const FEWEST_FRAMES = 540;

let browser, tab;

before(async () => {
  browser = await launchChromium();
  tab = await PageUnderTest.open(browser);
});

after(async () => {
  await browser?.close();
});

test(`${SECONDS} s of a full-screen run at 60 frames a second`, async () => {
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
  await tab.page.click('#start');
  await tab.waitFor("full-screen run ('running')", (page) => page.state === 'running');
  // The first frames start the run; those after them are timed.
  await tab.waitFor('tenth frame', (page) => page.frame >= 10);
  const first = await tab.page.evaluate(() => window.velkaroPage.frameTimes.length);
  await sleep(SECONDS * 1000);
  const times = await tab.page.evaluate((first) => window.velkaroPage.frameTimes.slice(first), first);
  const state = (await tab.hooks()).state;
  await tab.page.keyboard.press('Escape');

  const total = times.reduce((sum, ms) => sum + ms, 0);
  const mean = total / times.length;
  const longest = Math.max(...times);
  const over25 = times.filter((ms) => ms > 25).length;
  console.log(`frames in ${SECONDS} s: ${times.length}; mean ${mean.toFixed(2)} ms (${(1000 / mean).toFixed(1)} ` +
              `frames a second), longest ${longest.toFixed(1)} ms, ${over25} over 25 ms`);
  await tab.assertNoProblems();
  assert.equal(state, 'running', `state after ${SECONDS} s`);
  assert.ok(times.length >= FEWEST_FRAMES, `${times.length} frames in ${SECONDS} s, fewer than ${FEWEST_FRAMES}`);
  assert.ok(1000 / mean >= LOWEST_MEAN_RATE,
            `mean rate ${(1000 / mean).toFixed(1)} frames a second, below ${LOWEST_MEAN_RATE}`);
});
