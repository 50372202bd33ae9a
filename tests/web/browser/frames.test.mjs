// Every pattern's replay on the page shows, at frames 1, 30 and 120, the
// very picture velkaro-render draws for the same run, and the page reports
// no error on the way.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { launchChromium, PageUnderTest } from './lib/page.mjs';
import { isOneColour, pictureDifference, ReferencePictures } from './lib/reference.mjs';

const PATTERNS = 28;
const FRAMES = [1, 30, 120];

let browser, tab, references;
const timings = [];
let oneColourPictures = 0;

before(async () => {
  references = new ReferencePictures();
  browser = await launchChromium();
  tab = await PageUnderTest.open(browser);
});

after(async () => {
  await browser?.close();
  references?.close();
  if (timings.length) {
    const total = timings.reduce((sum, t) => sum + t.ms, 0);
    const slowest = timings.reduce((a, b) => (b.ms > a.ms ? b : a));
    console.log(`comparisons: ${timings.length} in ${(total / 1000).toFixed(1)} s, ` +
                `${(total / timings.length).toFixed(0)} ms each on average, ` +
                `slowest ${slowest.ms.toFixed(0)} ms (${slowest.query})`);
  }
});

// Loads the replay, waits for its held picture and compares it.
async function comparePicture(query, run) {
  const started = performance.now();
  await tab.load(query);
  await tab.waitUntilHeld(run.frames, 15000 + (run.frames * 1000) / (run.fps ?? 60));
  const shown = await tab.picture();
  const hooks = await tab.hooks();
  const expected = references.picture(run);
  const ms = performance.now() - started;
  timings.push({ query, ms });
  console.log(`${query}: ${ms.toFixed(0)} ms`);
  await tab.assertNoProblems();
  assert.equal(hooks.pattern, run.pattern, `${query}: velkaroPage.pattern`);
  const difference = pictureDifference(shown, expected);
  if (difference) assert.fail(`${query}: ${difference}`);
  return expected;
}

describe('each pattern at frames 1, 30 and 120', () => {
  for (let pattern = 0; pattern < PATTERNS; ++pattern) {
    test(`pattern ${pattern}`, async () => {
      // Each of the three is compared even where an earlier one differs.
      const failures = [];
      for (const frames of FRAMES) {
        try {
          const picture = await comparePicture(`?pattern=${pattern}&frames=${frames}`, { pattern, frames });
          if (frames === FRAMES.at(-1) && isOneColour(picture)) ++oneColourPictures;
        } catch (error) {
          failures.push(error.message);
        }
      }
      if (failures.length) assert.fail(failures.join('\n'));
    });
  }

  // A comparison of two blank pictures would pass whatever the page drew.
  test('the last frames compared show something', () => {
    assert.ok(oneColourPictures < PATTERNS / 2,
              `${oneColourPictures} of ${PATTERNS} patterns are one colour at frame ${FRAMES.at(-1)}`);
  });
});

// Each run is one that its parameter changes (checked against velkaro-render),
// so a page that dropped the parameter would show the plain run instead.
describe('seed, clock and fps reach the engine', () => {
  const runs = [
    { pattern: 3, frames: 30, seed: 12345 },
    { pattern: 12, frames: 60, clock: 43210 },
    { pattern: 12, frames: 60, fps: 30 },
  ];
  for (const run of runs) {
    const query = '?' + Object.entries(run).map(([name, value]) => `${name}=${value}`).join('&');
    test(query, async () => {
      const plain = references.picture({ pattern: run.pattern, frames: run.frames });
      const picture = await comparePicture(query, run);
      assert.notEqual(pictureDifference(picture, plain), null,
                      `${query} draws what the run without its parameter draws; choose another run`);
    });
  }
});
