// A parameter the page cannot use falls back to its default and leaves a
// working replay: pattern 0 at 60 frames a second, its picture the one
// velkaro-render draws.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { launchChromium, PageUnderTest } from './lib/page.mjs';
import { pictureDifference, ReferencePictures } from './lib/reference.mjs';

let browser, tab, references, patternZero;

before(async () => {
  references = new ReferencePictures();
  patternZero = references.picture({ pattern: 0, frames: 5 });
  browser = await launchChromium();
  tab = await PageUnderTest.open(browser);
});

after(async () => {
  await browser?.close();
  references?.close();
});

for (const query of ['?pattern=99&frames=5', '?pattern=abc&frames=5', '?fps=-3&frames=5']) {
  test(query, async () => {
    const started = performance.now();
    await tab.load(query);
    await tab.waitUntilHeld(5);
    const hooks = await tab.hooks();
    const difference = pictureDifference(await tab.picture(), patternZero);
    console.log(`${query}: ${(performance.now() - started).toFixed(0)} ms`);
    await tab.assertNoProblems();
    assert.equal(hooks.pattern, 0, `${query}: velkaroPage.pattern`);
    assert.equal(difference, null, `${query} against pattern 0, 5 frames: ${difference}`);
  });
}

// A browser that cannot compile the module (one without WebAssembly SIMD)
// gets a page that says so, not one that waits for ever.
test('a module the browser cannot compile is reported', async () => {
  const context = await browser.newContext();
  await context.addInitScript(() => {
    const refuse = () => Promise.reject(new WebAssembly.CompileError('no SIMD here'));
    WebAssembly.instantiate = refuse;
    WebAssembly.instantiateStreaming = refuse;
  });
  const page = await context.newPage();
  const broken = new PageUnderTest(page);
  await broken.load();
  await broken.waitFor("page that failed ('failed')", (hooks) => hooks.state === 'failed');
  const message = await page.textContent('#message');
  assert.match(message, /could not start in this browser.*WebAssembly SIMD/s);
  assert.equal(await page.isVisible('#message'), true);
  await context.close();
});
