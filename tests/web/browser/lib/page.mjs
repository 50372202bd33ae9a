// Debian's Chromium, headless, driven through playwright-core, and the page
// of the web tree loaded from its file:// address.
import { existsSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const chromiumProgram = process.env.VELKARO_CHROMIUM ?? '/usr/bin/chromium';
export const pageFolder = process.env.VELKARO_PAGE_DIR ?? '';

async function playwright() {
  try {
    return await import('playwright-core');
  } catch (error) {
    throw new Error(`playwright-core cannot be loaded (${error.message}); scripts/setup.sh installs it`);
  }
}

export async function launchChromium() {
  if (!existsSync(chromiumProgram))
    throw new Error(`no Chromium at ${chromiumProgram}: scripts/setup.sh installs Debian's chromium`);
  const { chromium } = await playwright();
  // The machine's network is closed: without these Chromium keeps trying
  // to reach its services, many connections at a time.
  return chromium.launch({
    executablePath: chromiumProgram,
    headless: true,
    args: ['--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run', '--disable-quic'],
  });
}

export function pageAddress(query = '') {
  const index = join(pageFolder, 'index.html');
  if (!pageFolder || !existsSync(index))
    throw new Error(`no page at '${index}' (VELKARO_PAGE_DIR): build the web tree`);
  return pathToFileURL(index).href + query;
}

// One tab that loads the page again and again, keeping what went wrong in
// each load: console errors, uncaught exceptions and the page's own errors.
export class PageUnderTest {
  static async open(browser) {
    const context = await browser.newContext({ viewport: { width: 960, height: 720 } });
    return new PageUnderTest(await context.newPage());
  }

  constructor(page) {
    this.page = page;
    this.problems = [];
    page.on('console', (message) => {
      if (message.type() === 'error') this.problems.push(`console error: ${message.text()}`);
    });
    page.on('pageerror', (error) => this.problems.push(`page error: ${error.message}`));
  }

  async load(query = '') {
    this.problems = [];
    this.query = query;
    await this.page.goto(pageAddress(query));
  }

  hooks() {
    return this.page.evaluate(() => {
      const hooks = window.velkaroPage;
      return hooks && { state: hooks.state, frame: hooks.frame, pattern: hooks.pattern,
                        runs: hooks.runs, errors: [...(hooks.errors ?? [])] };
    });
  }

  // Waits until the condition (a function of velkaroPage and the argument,
  // run in the page) holds, saying where the hooks stood when it gives up.
  async waitFor(description, condition, argument, timeout = 15000) {
    try {
      await this.page.waitForFunction(
        `(${condition})(window.velkaroPage ?? {}, ${JSON.stringify(argument ?? null)})`, undefined,
        { timeout, polling: 'raf' });
    } catch (error) {
      throw new Error(`${this.query || 'the page'}: no ${description} within ${timeout} ms ` +
                      `(velkaroPage: ${JSON.stringify(await this.hooks())})${this.problemText()}`);
    }
  }

  waitUntilHeld(frames, timeout) {
    return this.waitFor(`held picture at frame ${frames}`,
                        (page, frames) => page.state === 'held' && page.frame === frames, frames, timeout);
  }

  // The pixels of the canvas (the run's picture unless told), as RGB bytes.
  async picture(selector = 'canvas#picture') {
    const { width, height, base64 } = await this.page.evaluate((selector) => {
      const canvas = document.querySelector(selector);
      const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
      let text = '';
      const rgb = new Uint8Array((data.length / 4) * 3);
      for (let i = 0, j = 0; i < data.length; i += 4, j += 3) rgb.set(data.subarray(i, i + 3), j);
      for (let i = 0; i < rgb.length; i += 0x8000) text += String.fromCharCode(...rgb.subarray(i, i + 0x8000));
      return { width: canvas.width, height: canvas.height, base64: btoa(text) };
    }, selector);
    return { width, height, rgb: Buffer.from(base64, 'base64') };
  }

  problemText() {
    return this.problems.length ? `\n  ${this.problems.join('\n  ')}` : '';
  }

  // Fails with every console error, uncaught exception and velkaroPage.errors
  // entry of the current load.
  async assertNoProblems() {
    const hooks = await this.hooks().catch(() => null);
    const all = [...this.problems, ...(hooks?.errors ?? []).map((e) => `velkaroPage.errors: ${e}`)];
    if (all.length) throw new Error(`${this.query || 'the page'} reported errors:\n  ${all.join('\n  ')}`);
  }
}
