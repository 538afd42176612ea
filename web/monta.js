// Finishes the page after Emscripten wrote it: builds in the examples of
// examples/ (answers that replay each application from the menu) and allows
// the page's own scripts by their SHA-256 hashes, so that the
// Content-Security-Policy needs no 'unsafe-inline' for scripts.
//
//   node monta.js build-web/lousa.html examples/
'use strict';

const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');

const [pagina, pastaDosExemplos] = process.argv.slice(2);
let html = fs.readFileSync(pagina, 'utf8');

// 01-dimensionamento-de-amostras.txt: code 1. The page names each example by
// the title the program's menu gives it; the file name is the fallback.
const exemplos = fs.readdirSync(pastaDosExemplos).filter((f) => /^\d\d-.*\.txt$/.test(f)).sort().map((f) => ({
  codigo: String(Number(f.slice(0, 2))),
  nome: f.slice(3, -4).replace(/-/g, ' '),
  texto: fs.readFileSync(path.join(pastaDosExemplos, f), 'utf8'),
}));
if (exemplos.length === 0) throw new Error('no examples in ' + pastaDosExemplos);
const json = JSON.stringify(exemplos).replace(/</g, '\\u003c');  // no "</script>" inside the data
html = html.replace('@EXAMPLES@', () => json);

const hashes = [];
for (const [, atributos, codigo] of html.matchAll(/<script([^>]*)>([\s\S]*?)<\/script>/g)) {
  if (/type="application\/json"/.test(atributos)) continue;  // data, never run
  hashes.push(`'sha256-${crypto.createHash('sha256').update(codigo, 'utf8').digest('base64')}'`);
}
if (hashes.length === 0 || !html.includes('@SCRIPT_HASHES@')) throw new Error('no script or no policy in ' + pagina);
html = html.replace('@SCRIPT_HASHES@', hashes.join(' '));
fs.writeFileSync(pagina, html);
