// The chooser's Start button runs the saver full screen with the cursor
// hidden; moving the mouse leaves it running, a key or a mouse button ends it
// and the page goes back to the chooser.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';
import { launchChromium, PageUnderTest } from './lib/page.mjs';

let browser, tab;

before(async () => {
  browser = await launchChromium();
  tab = await PageUnderTest.open(browser);
  await tab.load();
  await tab.waitFor("chooser ('choosing')", (page) => page.state === 'choosing');
});

after(async () => {
  await browser?.close();
});

function screen() {
  return tab.page.evaluate(() => ({
    state: window.velkaroPage.state,
    runs: window.velkaroPage.runs,
    fullScreen: document.fullscreenElement?.id ?? null,
    cursor: getComputedStyle(document.querySelector('#stage')).cursor,
  }));
}

async function startRun() {
  const runsBefore = (await screen()).runs;
  await tab.page.click('#start');
  await tab.waitFor("full-screen run ('running')", (page) => page.state === 'running');
  await tab.page.waitForFunction(() => document.fullscreenElement !== null, undefined, { timeout: 5000 })
    .catch(() => {});
  const shown = await screen();
  assert.equal(shown.state, 'running');
  assert.equal(shown.fullScreen, 'stage', 'the element in full screen (document.fullscreenElement) is #stage');
  assert.equal(shown.cursor, 'none', 'the cursor over #stage');
  // The pointer wanders over the screen, as a desk knocked in passing moves it.
  for (const [x, y] of [[100, 100], [400, 300], [401, 301], [700, 500], [20, 600]])
    await tab.page.mouse.move(x, y, { steps: 4 });
  await sleep(500);
  assert.equal((await screen()).state, 'running', 'state after the mouse moved and 500 ms');
  return runsBefore;
}

async function assertEnded(runsBefore, how) {
  await tab.waitFor(`end of the run after ${how}`, (page, runs) => page.state !== 'running' && page.runs === runs,
                    runsBefore + 1, 5000);
  await tab.waitFor(`chooser again after ${how}`, (page) => page.state === 'choosing', undefined, 5000);
  assert.equal((await screen()).fullScreen, null, `full screen left after ${how}`);
}

test('a key ends the full-screen run', async () => {
  const runsBefore = await startRun();
  await tab.page.keyboard.press('KeyA');
  await assertEnded(runsBefore, 'a key');
  await tab.assertNoProblems();
});

test('a mouse button ends the full-screen run', async () => {
  const runsBefore = await startRun();
  await tab.page.mouse.click(300, 200);
  await assertEnded(runsBefore, 'a mouse click');
  await tab.assertNoProblems();
});
