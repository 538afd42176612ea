// Assembles the page from its parts after Emscripten built the program:
// web/shell.html around the program's script (criaLousa), the page's script
// (web/terminal.js), the WebAssembly module as base64 data, and as JSON data
// the examples of examples/ and what the script must know of the program
// (web/dados.cpp: statuses, output kinds, code page, menu titles, version).
// Each script is allowed by its SHA-256 hash in the Content-Security-Policy,
// which then needs no 'unsafe-inline' for scripts. Files named after the
// output are the page's additions (web/paineis.js and .css): their scripts
// run before the page's own, which announces to them what they show, and
// their styles follow the page's.
//
//   node monta.js shell.html terminal.js lousa_programa.js lousa_dados.js examples/ lousa.html [paineis.js paineis.css]
'use strict';

const { execFileSync } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');

const [shell, pageScript, programScript, dataTool, examplesDir, output, ...additions] = process.argv.slice(2);
const read = (file) => fs.readFileSync(file, 'utf8');

// 01-dimensionamento-de-amostras.txt: code 1.
const examples = fs.readdirSync(examplesDir).filter((f) => /^\d\d-.*\.txt$/.test(f)).sort().map((f) => ({
  code: String(Number(f.slice(0, 2))),
  name: f.slice(3, -4).replace(/-/g, ' '),
  answers: read(path.join(examplesDir, f)),
}));
if (examples.length === 0) throw new Error('no examples in ' + examplesDir);
const program = JSON.parse(execFileSync(process.execPath, [dataTool]).toString());
const data = JSON.stringify({ ...program, examples }).replace(/</g, '\\u003c');  // no "</script>" inside

const scripts = [read(programScript), ...additions.filter((f) => f.endsWith('.js')).map(read), read(pageScript)];
const styles = additions.filter((f) => f.endsWith('.css')).map((f) => `<style>\n${read(f)}</style>\n`).join('');
if (scripts.some((s) => s.includes('</script'))) throw new Error('a script would end its element early');
const hashes = scripts.map((s) => `'sha256-${crypto.createHash('sha256').update(s, 'utf8').digest('base64')}'`);
const wasm = fs.readFileSync(programScript.replace(/\.js$/, '.wasm')).toString('base64');

const parts = {
  '@SCRIPT_HASHES@': hashes.join(' '),
  '@DATA@': data,
  '@PROGRAM@': wasm,
  '@SCRIPTS@': scripts.map((s) => `<script>${s}</script>`).join('\n'),
};
let html = read(shell);
for (const [mark, text] of Object.entries(parts)) {
  if (!html.includes(mark)) throw new Error('no ' + mark + ' in ' + shell);
  html = html.replace(mark, () => text);
}
if (!html.includes('</head>')) throw new Error('no </head> in ' + shell);
fs.writeFileSync(output, html.replace('</head>', () => styles + '</head>'));
