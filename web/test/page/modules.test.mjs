// SPDX-License-Identifier: MIT
// The build joins every module into one inline script (web/embed.cmake):
// top-level names must be unique across modules, imports one to a line,
// and nothing may close the script element early.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';

const root = new URL('../../js/', import.meta.url);
const files = [
  ...readdirSync(new URL('rules/', root)).filter((f) => f.endsWith('.js')).map((f) => new URL(`rules/${f}`, root)),
  ...readdirSync(root).filter((f) => f.endsWith('.js')).map((f) => new URL(f, root)),
];

test('no two modules declare the same top-level name', () => {
  const seen = new Map();
  for (const file of files) {
    const text = readFileSync(file, 'utf8');
    const names = [...text.matchAll(/^(?:export )?(?:async )?(?:function\*?|class) +([A-Za-z_$][\w$]*)/gm)].map((m) => m[1]);
    // const a = 1, b = 2; on one line declares both.
    for (const m of text.matchAll(/^(?:export )?(?:const|let|var) +([^;\n]*)/gm)) {
      for (const d of m[1].matchAll(/(?:^|,)\s*([A-Za-z_$][\w$]*)\s*=/g)) names.push(d[1]);
    }
    for (const name of names) {
      assert.ok(!seen.has(name), `${name} in ${file.pathname} and ${seen.get(name)}`);
      seen.set(name, file.pathname);
    }
  }
  assert.ok(seen.size > 50);
});

test('imports are whole lines and no module closes a script element', () => {
  for (const file of files) {
    const text = readFileSync(file, 'utf8');
    assert.ok(!/<\/script/i.test(text), file.pathname);
    for (const line of text.split('\n').filter((l) => /^import\b/.test(l))) assert.match(line, /^import .* from '\.{1,2}\/[\w/]+\.js';$/, file.pathname);
    assert.ok(!/^export default/m.test(text), file.pathname);
  }
});
