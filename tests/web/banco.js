// How long the page takes for the largest session of every application (the
// ones bench/sessoes.py writes), pasted at the menu in one go, and how much
// memory its renderer takes. It prints the figures; it fails only when the
// page's screen differs from the native program's.
//
//   cd tests/web && npm ci && node banco.js
//
// Needs build-web/lousa.html (make web) and the native build/lousa (make test).
'use strict';

const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const raiz = path.resolve(__dirname, '..', '..');
const endereco = 'file://' + path.join(raiz, 'build-web', 'lousa.html');
const nativo = process.env.LOUSA_NATIVE || path.join(raiz, 'build', 'lousa');
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

function sessoesGrandes() {
  const py = 'import json, random, sys; sys.path.insert(0, "bench"); import sessoes; ' +
    'print(json.dumps(sessoes.sessoes(random.Random(1234))))';
  return JSON.parse(execFileSync('python3', ['-c', py], { cwd: raiz, maxBuffer: 64 << 20 }).toString());
}

function telaNativa(linhas) {
  const inicio = process.hrtime.bigint();
  const r = spawnSync(nativo, [], { input: linhas.map((l) => l + '\n').join(''), maxBuffer: 64 << 20 });
  const ms = Number(process.hrtime.bigint() - inicio) / 1e6;
  return { tela: execFileSync('iconv', ['-f', 'CP850', '-t', 'UTF-8'], { input: r.stdout, maxBuffer: 64 << 20 }).toString(), ms };
}

// The page's renderer: of the browser's renderers (the tab, a spare one, ...)
// the one with the most private memory. Its resident memory now and at its
// peak (kB).
function memoriaDoRenderizador(pidDoNavegador) {
  let escolhido = { privada: -1, agora: 0, pico: 0 };
  for (const pid of fs.readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    let linha, estado;
    try {
      linha = fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      estado = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
    } catch (foi) { continue; }
    if (!linha.includes('--type=renderer') || !descendeDe(pid, pidDoNavegador)) continue;
    const campo = (nome) => Number(new RegExp(nome + ':\\s+(\\d+)').exec(estado)[1]);
    if (campo('RssAnon') > escolhido.privada) {
      escolhido = { privada: campo('RssAnon'), agora: campo('VmRSS'), pico: campo('VmHWM') };
    }
  }
  return escolhido;
}

function descendeDe(pid, ancestral) {
  for (let p = Number(pid); p > 1;) {
    if (p === ancestral) return true;
    try {
      p = Number(/PPid:\s+(\d+)/.exec(fs.readFileSync(`/proc/${p}/status`, 'utf8'))[1]);
    } catch (foi) { return false; }
  }
  return false;
}

(async () => {
  const perfil = fs.mkdtempSync(path.join(os.tmpdir(), 'lousa-banco-'));
  const navegador = await puppeteer.launch({
    executablePath: chromium, headless: true, userDataDir: perfil,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  let diferentes = 0;
  try {
    const aba = await navegador.newPage();
    await aba.setViewport({ width: 1000, height: 700 });
    await aba.goto(endereco);
    const pidDoNavegador = navegador.process().pid;
    console.log('code  answers  screen KB  native ms  page ms  renderer MiB (now/peak)  same screen');
    for (const [codigo, linhas] of Object.entries(sessoesGrandes())) {
      await aba.click('#recomecar');
      await aba.waitForFunction(() => document.body.dataset.estado === 'esperando' &&
        document.getElementById('tela').textContent.includes('DIGITE O CODIGO DA APLICACAO'));
      const ms = await aba.evaluate(async (texto) => {
        const entrada = document.getElementById('entrada');
        const dados = new DataTransfer();
        dados.setData('text/plain', texto);
        const inicio = performance.now();
        entrada.dispatchEvent(new ClipboardEvent('paste', { clipboardData: dados, bubbles: true, cancelable: true }));
        while (document.body.dataset.estado !== 'terminou') await new Promise((r) => setTimeout(r, 5));
        await new Promise((r) => requestAnimationFrame(r));
        return performance.now() - inicio;
      }, linhas.join('\n') + '\n');
      const saida = await aba.$eval('#tela', (t) => {
        let texto = '';
        for (const andar = document.createTreeWalker(t, NodeFilter.SHOW_TEXT); andar.nextNode();) {
          if (!andar.currentNode.parentElement.closest('.digitado')) texto += andar.currentNode.textContent;
        }
        return texto;
      });
      const nativa = telaNativa(linhas);
      const igual = saida === nativa.tela;
      if (!igual) ++diferentes;
      const memoria = memoriaDoRenderizador(pidDoNavegador);
      console.log([codigo.padStart(4), String(linhas.length).padStart(8), (Buffer.byteLength(nativa.tela) / 1024).toFixed(0).padStart(10),
        nativa.ms.toFixed(1).padStart(10), ms.toFixed(0).padStart(8),
        `${(memoria.agora / 1024).toFixed(0)}/${(memoria.pico / 1024).toFixed(0)}`.padStart(24), igual ? '         yes' : '          NO'].join(' '));
    }
  } finally {
    await navegador.close();
    fs.rmSync(perfil, { recursive: true, force: true });
  }
  if (diferentes > 0) process.exitCode = 1;
})();
