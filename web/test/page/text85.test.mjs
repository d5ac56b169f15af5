// SPDX-License-Identifier: MIT
// The page reads the writer's base 85 (shared table), and refuses text
// that is not its own.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { decode85, TEXT85_DIGITS } from '../../js/text85.js';

const table = JSON.parse(readFileSync(new URL('../../../tests/web-cases/text85.json', import.meta.url)));

test('the table decodes to its bytes', () => {
  assert.equal(TEXT85_DIGITS, table.digits);
  for (const [hex, text] of table.cases) assert.equal(Buffer.from(decode85(text)).toString('hex'), hex, text);
  assert.equal(Buffer.from(decode85(' 9jq\no')).toString('hex'), Buffer.from(decode85('9jqo')).toString('hex'), 'blanks between digits are skipped');
});

test('no digit could end a script element or open an entity', () => {
  for (const c of '<>&"\'`\\@') assert.ok(!TEXT85_DIGITS.includes(c), c);
  assert.throws(() => decode85('ab<cd'));
  assert.throws(() => decode85('abcdef'), /cut short/);
});
