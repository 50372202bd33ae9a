// The pictures that velkaro-render (the engine without a window, built
// natively) draws for the same run, which the page must show byte for byte.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { decodeRgbPng } from './png.mjs';

export const renderProgram = process.env.VELKARO_RENDER ?? '';

// Options: { pattern, frames, fps, seed, clock }, as the page's parameters.
export class ReferencePictures {
  constructor() {
    if (!renderProgram || !existsSync(renderProgram))
      throw new Error(`velkaro-render not found at '${renderProgram}' (VELKARO_RENDER): build the web tree`);
    this.folder = mkdtempSync(join(tmpdir(), 'velkaro-reference-'));
    this.count = 0;
  }

  picture(options) {
    const file = join(this.folder, `${++this.count}.png`);
    const args = [];
    for (const name of ['pattern', 'frames', 'fps', 'seed', 'clock'])
      if (options[name] !== undefined) args.push(`--${name}`, String(options[name]));
    execFileSync(renderProgram, [...args, '--png', file]);
    const picture = decodeRgbPng(readFileSync(file));
    rmSync(file);
    return picture;
  }

  close() {
    rmSync(this.folder, { recursive: true, force: true });
  }
}

// Null where the two are the same; otherwise where they first differ and
// how many pixels differ, in words for a failure message.
export function pictureDifference(shown, expected) {
  if (shown.width !== expected.width || shown.height !== expected.height)
    return `the canvas is ${shown.width}x${shown.height}, velkaro-render's picture ${expected.width}x${expected.height}`;
  let first = -1;
  let differing = 0;
  for (let i = 0; i < expected.rgb.length; i += 3) {
    if (shown.rgb[i] !== expected.rgb[i] || shown.rgb[i + 1] !== expected.rgb[i + 1] ||
        shown.rgb[i + 2] !== expected.rgb[i + 2]) {
      if (first < 0) first = i;
      ++differing;
    }
  }
  if (first < 0) return null;
  const pixel = first / 3;
  const rgb = (bytes) => `(${bytes[first]}, ${bytes[first + 1]}, ${bytes[first + 2]})`;
  return `${differing} of ${expected.width * expected.height} pixels differ; the first at ` +
    `x=${pixel % expected.width} y=${Math.floor(pixel / expected.width)}: page ${rgb(shown.rgb)}, ` +
    `velkaro-render ${rgb(expected.rgb)}`;
}

// Whether every pixel has one colour, as a picture that shows nothing does.
export function isOneColour(picture) {
  for (let i = 3; i < picture.rgb.length; ++i) if (picture.rgb[i] !== picture.rgb[i % 3]) return false;
  return true;
}
