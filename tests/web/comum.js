// What the browser suite (pagina.test.js) and the page's figures (banco.js)
// share: where the page and the native program are, the native program's
// screen for some answers, the largest sessions, Chromium, and the page's
// input line and screen.
'use strict';

const { execFileSync, spawnSync } = require('node:child_process');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const raiz = path.resolve(__dirname, '..', '..');
const pagina = path.join(raiz, 'build-web', 'lousa.html');
const nativo = process.env.LOUSA_NATIVE || path.join(raiz, 'build', 'lousa');
const grande = { maxBuffer: 64 << 20 };
const mesa = { width: 1000, height: 700 };

const doCP850 = (bytes) => execFileSync('iconv', ['-f', 'CP850', '-t', 'UTF-8'], { input: bytes, ...grande }).toString('utf8');
const comFins = (linhas) => linhas.map((l) => l + '\n').join('');

// The native program on these answers, as it ran: its screen and report in
// code page 850 (one byte a character) and its status.
function execucaoNativa(linhas) {
  const r = spawnSync(nativo, [], { input: comFins(linhas), ...grande });
  if (r.error) throw r.error;
  return r;
}

// The same with its screen and report in UTF-8, and how long it took.
function rodaNativo(linhas) {
  const inicio = process.hrtime.bigint();
  const r = execucaoNativa(linhas);
  const ms = Number(process.hrtime.bigint() - inicio) / 1e6;
  return { tela: doCP850(r.stdout), relato: doCP850(r.stderr), status: r.status, ms };
}

// The largest session of each application, as bench/sessoes.py writes them.
function sessoesGrandes() {
  const py = 'import json, random, sys; sys.path.insert(0, "bench"); import sessoes; ' +
    'print(json.dumps(sessoes.sessoes(random.Random(1234))))';
  return JSON.parse(execFileSync('python3', ['-c', py], { cwd: raiz, ...grande }).toString());
}

const lancaChromium = (perfil) => puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, userDataDir: perfil,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

const aguardaMenu = (aba) => aba.waitForFunction(() => document.body.dataset.estado === 'esperando' &&
  document.getElementById('tela').textContent.includes('DIGITE O CODIGO DA APLICACAO'));

// A paste onto the input line, as the clipboard would hand it over (lines, or
// the text itself); the page's clock when it was handed over.
const cola = (aba, texto) => aba.$eval('#entrada', (entrada, t) => {
  const dados = new DataTransfer();
  dados.setData('text/plain', t);
  const inicio = performance.now();
  entrada.dispatchEvent(new ClipboardEvent('paste', { clipboardData: dados, bubbles: true, cancelable: true }));
  return inicio;
}, Array.isArray(texto) ? comFins(texto) : texto);

// The program's own text: the screen without what `fora` selects (by default
// the echoed answers and the report).
const saidaDoPrograma = (aba, fora = '.digitado, .relato') => aba.$eval('#tela', (t, f) => {
  let texto = '';
  for (const andar = document.createTreeWalker(t, NodeFilter.SHOW_TEXT); andar.nextNode();) {
    if (!andar.currentNode.parentElement.closest(f)) texto += andar.currentNode.textContent;
  }
  return texto;
}, fora);

module.exports = { raiz, pagina, mesa, doCP850, comFins, execucaoNativa, rodaNativo, sessoesGrandes, lancaChromium, aguardaMenu, cola, saidaDoPrograma };
